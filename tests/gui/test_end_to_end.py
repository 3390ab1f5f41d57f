#!/usr/bin/python3
"""One visit as a person makes it, in the real window against the simulated timer: connect,
change the finish-line mode answering Yes, decline the next change with Escape, close; at the
next start the port is filled in. After a click on Connect, keys still reach the window."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import guikit  # noqa: E402

HIGH = "Detect finish on pin high (+5v)."
LOW = "Detect finish on pin low (GND)."


class EndToEnd(guikit.WindowTestCase):
    def setUp(self):
        super().setUp()
        self.simulator = guikit.Simulator(
            self.config, "--state", os.path.join(self.config.path, "timer.state"))
        self.addCleanup(self.simulator.close)

    def test_connect_change_mode_close_and_find_the_port_again(self):
        program, a11y = self.start_program()
        guikit.connect(program, a11y)
        self.assertFalse(a11y.enabled(a11y.find("push button", "Connect")))
        version = guikit.wait_for("the version text",
                                  lambda: a11y.label_starting("ZELVORA TIMER"))
        self.assertEqual(version, "ZELVORA TIMER ZT-6 SIXLANE\nFIRMWARE 2.07 (SIMULATED)")
        before = guikit.wait_for("the finish text", lambda: a11y.label_starting("Detect"))
        after_prefix = LOW if before.startswith(HIGH) else HIGH
        if os.environ.get("ZELVORA_GUI_SHOTS"):
            program.screenshot(os.path.join(os.environ["ZELVORA_GUI_SHOTS"], "connected.png"))

        program.click_at(*a11y.centre(a11y.find("push button", "Change Finish Line Mode")))
        box = a11y.wait_find("alert")
        question = [n.name for n in a11y.find_all(
            lambda n: n is not None and n.getRoleName() == "label", box)]
        self.assertTrue(any("?" in text for text in question), question)
        self.assertIsNotNone(a11y.find("icon", None, box), "the question shows no icon")
        program.click_at(*a11y.centre(a11y.find("push button", "Yes", box)))
        guikit.wait_for("the new finish text",
                        lambda: (a11y.label_starting("Detect") or "").startswith(
                            after_prefix))

        sent = self.simulator.sent()
        self.assertIn("F0" if after_prefix == LOW else "F1", sent)

        # Escape in the question is No: the settings are read again, no mode is sent.
        asked = len(sent)
        program.click_at(*a11y.centre(a11y.find("push button", "Change Finish Line Mode")))
        a11y.wait_find("alert")
        program.xdotool("windowfocus", "--sync", program.find_window("zelvora"))
        program.xdotool("key", "Escape")
        guikit.wait_for("the box to close", lambda: a11y.find("alert") is None, timeout=5)
        guikit.wait_for("the settings read again", lambda: self.simulator.sent()[asked:] == [
            "T?", "F?", "G?", "S?", "D?", "L?"], timeout=10)
        self.assertTrue((a11y.label_starting("Detect") or "").startswith(after_prefix))

        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(guikit.toolkit_warnings(program.stderr()), [])
        sent = self.simulator.sent()
        self.assertEqual(sent[-1], "X")
        self.assertIn("ComPort=COM9", self.config.profile())

        program, a11y = self.start_program()
        combo = a11y.find("combo box")
        field = a11y.find("text", None, combo)
        self.assertEqual(a11y.text(field), "COM9")
        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)

    def test_keys_reach_the_window_after_a_click_on_connect(self):
        # Connect disables itself under the focus; the focus must move on to a control, or no
        # key reaches the window any more.
        program, a11y = self.start_program()
        guikit.connect(program, a11y)
        field = a11y.find("text", "Race Timeout")
        guikit.wait_for("the focus on the timeout field", lambda: a11y.focused(field), timeout=5)
        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)
        sent = self.simulator.sent()
        self.assertEqual(sent[-1], "X")
        self.assertEqual(guikit.toolkit_warnings(program.stderr()), [])


if __name__ == "__main__":
    guikit.run_on_private_bus()
    unittest.main()
