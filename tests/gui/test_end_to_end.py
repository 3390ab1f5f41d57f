#!/usr/bin/python3
"""One visit as a person makes it, in the real window against the simulated timer: connect,
change the finish-line mode answering Yes, decline the next change with Escape, close; at the
next start the port is filled in. After a click on Connect, keys still reach the window."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import guikit  # noqa: E402

HIGH = "Detect finish on pin high (+5v)."
LOW = "Detect finish on pin low (GND)."


def simulator_path():
    path = os.environ.get("ZELVORA_SIM_BIN") or os.path.join(
        os.path.dirname(guikit.program_path()), "zelvora-sim")
    if not os.access(path, os.X_OK):
        raise SystemExit("set ZELVORA_SIM_BIN to the zelvora-sim program")
    return path


def conversation(transcript_path):
    """The lines sent to the timer ("in") and its replies ("out"), in order."""
    lines, current, direction = [], "", None
    with open(transcript_path) as file:
        rows = file.readlines()
    for row in rows:
        parts = row.split()
        if len(parts) < 3:
            continue
        byte = int(parts[2], 16)
        if parts[1] != direction:
            if current:
                lines.append((direction, current))
            current, direction = "", parts[1]
        if byte == 0x0A:
            lines.append((direction, current))
            current = ""
        elif byte != 0x0D:
            current += chr(byte)
    if current:
        lines.append((direction, current))
    return lines


class EndToEnd(unittest.TestCase):
    def setUp(self):
        self.display = guikit.VirtualDisplay()
        self.config = guikit.ConfigHome()
        self.addCleanup(self.display.close)
        self.addCleanup(self.config.close)
        self.transcript = os.path.join(self.config.path, "transcript.txt")
        self.simulator = subprocess.Popen(
            [simulator_path(), "--port", "COM9", "--fast", "--transcript", self.transcript,
             "--state", os.path.join(self.config.path, "timer.state")],
            env=dict(os.environ, XDG_CONFIG_HOME=self.config.path), stdout=subprocess.PIPE,
            text=True)
        self.addCleanup(self.stop_simulator)
        ready = self.simulator.stdout.readline()
        self.assertTrue(ready.startswith("COM9 "), ready)

    def stop_simulator(self):
        self.simulator.terminate()
        self.simulator.wait(timeout=10)
        self.simulator.stdout.close()

    def start(self):
        program = guikit.Program(self.display, self.config)
        self.addCleanup(program.close)
        program.wait_mapped()
        a11y = guikit.Accessibility(program)
        a11y.wait_find("push button", "Connect")
        return program, a11y

    def label_starting(self, a11y, prefix):
        found = a11y.find_all(lambda n: n is not None and n.getRoleName() == "label"
                              and n.name.startswith(prefix))
        return found[0].name if found else None

    def test_connect_change_mode_close_and_find_the_port_again(self):
        program, a11y = self.start()
        program.type_text("COM9")
        program.click_at(*a11y.centre(a11y.find("push button", "Connect")))
        disconnect = a11y.find("push button", "Disconnect")
        guikit.wait_for("the connection", lambda: a11y.enabled(disconnect))
        self.assertFalse(a11y.enabled(a11y.find("push button", "Connect")))
        version = guikit.wait_for("the version text",
                                  lambda: self.label_starting(a11y, "ZELVORA TIMER"))
        self.assertEqual(version, "ZELVORA TIMER ZT-6 SIXLANE\nFIRMWARE 2.07 (SIMULATED)")
        before = guikit.wait_for("the finish text", lambda: self.label_starting(a11y, "Detect"))
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
                        lambda: (self.label_starting(a11y, "Detect") or "").startswith(
                            after_prefix))

        sent = [text for direction, text in conversation(self.transcript) if direction == "in"]
        self.assertIn("F0" if after_prefix == LOW else "F1", sent)

        # Escape in the question is No: the settings are read again, no mode is sent.
        asked = len(sent)
        program.click_at(*a11y.centre(a11y.find("push button", "Change Finish Line Mode")))
        a11y.wait_find("alert")
        program.xdotool("windowfocus", "--sync", program.find_window("zelvora"))
        program.xdotool("key", "Escape")
        guikit.wait_for("the box to close", lambda: a11y.find("alert") is None, timeout=5)
        guikit.wait_for("the settings read again", lambda: [
            text for direction, text in conversation(self.transcript)
            if direction == "in"][asked:] == ["T?", "F?", "G?", "S?", "D?", "L?"], timeout=10)
        self.assertTrue((self.label_starting(a11y, "Detect") or "").startswith(after_prefix))

        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(guikit.toolkit_warnings(program.stderr()), [])
        sent = [text for direction, text in conversation(self.transcript) if direction == "in"]
        self.assertEqual(sent[-1], "X")
        self.assertIn("ComPort=COM9", self.config.profile())

        program, a11y = self.start()
        combo = a11y.find("combo box")
        field = a11y.find("text", None, combo)
        self.assertEqual(a11y.text(field), "COM9")
        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)

    def test_keys_reach_the_window_after_a_click_on_connect(self):
        # Connect disables itself under the focus; the focus must move on to a control, or no
        # key reaches the window any more.
        program, a11y = self.start()
        program.type_text("COM9")
        program.click_at(*a11y.centre(a11y.find("push button", "Connect")))
        disconnect = a11y.find("push button", "Disconnect")
        guikit.wait_for("the connection", lambda: a11y.enabled(disconnect))
        field = a11y.find("text", "Race Timeout")
        guikit.wait_for("the focus on the timeout field", lambda: a11y.focused(field), timeout=5)
        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)
        sent = [text for direction, text in conversation(self.transcript) if direction == "in"]
        self.assertEqual(sent[-1], "X")
        self.assertEqual(guikit.toolkit_warnings(program.stderr()), [])


if __name__ == "__main__":
    guikit.run_on_private_bus()
    unittest.main()
