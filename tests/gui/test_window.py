#!/usr/bin/python3
"""The real window: it opens captioned "Zelvora" with the port map's ports in sorted text order,
every control reachable through the accessibility tree, closes on Escape with status 0, and the
toolkit prints no warnings. Without a display the program says so in one line."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import guikit  # noqa: E402


class WindowOpens(guikit.WindowTestCase):
    def test_ports_listed_in_text_order_and_escape_ends_with_status_0(self):
        for name in ("COM3", "COM10", "COM2", "COM200"):
            self.config.add_port(name)
        program, a11y = self.start_program()

        self.assertEqual(program.xdotool("getwindowname", program.window), "Zelvora")
        combo = a11y.wait_find("combo box")
        items = guikit.wait_for("the port list", lambda: [
            node.name for node in a11y.find_all(lambda n: n is not None
                                                and n.getRoleName() == "menu item", combo)])
        ours = [name for name in items if name in ("COM3", "COM10", "COM2", "COM200")]
        self.assertEqual(ours, ["COM10", "COM2", "COM200", "COM3"])
        # Real adapters may add ttyUSB/ttyACM ports; the whole list is still in text order.
        self.assertEqual(items, sorted(items, key=str.lower))
        self.assertFalse(any(name in items for name in ("COM1", "COM4", "COM32")))

        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(guikit.toolkit_warnings(program.stderr()), [])

    def test_every_control_reachable_with_role_name_and_state(self):
        program, a11y = self.start_program()
        expected = {
            # role, name: enabled with no port open
            ("push button", "Connect"): True,
            ("push button", "Disconnect"): False,
            ("push button", "Refresh"): False,
            ("push button", "Set"): False,
            ("push button", "Change Finish Line Mode"): False,
            ("push button", "Set Active Lanes"): False,
            ("push button", "Change Segment Mode"): False,
            ("push button", "Change Digit Mode"): False,
            ("push button", "Change Starting Gate Mode"): False,
            ("push button", "Close"): True,
            ("push button", "Up"): True,
            ("push button", "Down"): True,
            ("check box", "Lane1"): True,
            ("check box", "Lane6"): True,
            ("text", "Race Timeout"): True,
            ("label", "Acive Lanes:"): True,
            ("label", "Version 1.23"): True,
        }
        for (role, name), enabled in expected.items():
            with self.subTest(role=role, name=name):
                node = a11y.find(role, name)
                self.assertIsNotNone(node, f"no {role} named {name!r}")
                self.assertEqual(a11y.enabled(node), enabled)
        timeout = a11y.find("text", "Race Timeout")
        self.assertEqual(a11y.text(timeout), "0")
        # The bound texts start blank: the template's placeholder never shows.
        self.assertEqual(a11y.find("label", "Static"), None)
        program.keys("Escape")
        self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(guikit.toolkit_warnings(program.stderr()), [])


class WithoutDisplay(unittest.TestCase):
    def run_without(self, **env):
        environment = {k: v for k, v in os.environ.items()
                       if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        environment.update(env)
        return subprocess.run([guikit.program_path()], env=environment, capture_output=True,
                              text=True, timeout=20)

    def test_says_so_in_one_line_and_fails(self):
        cases = {
            "no DISPLAY": {},
            "a display nobody serves": {"DISPLAY": ":7391"},
        }
        for label, env in cases.items():
            with self.subTest(label):
                result = self.run_without(**env)
                self.assertNotEqual(result.returncode, 0)
                lines = result.stderr.splitlines()
                self.assertEqual(len(lines), 1, result.stderr)
                self.assertTrue(lines[0].startswith("zelvora: cannot open a window: "), lines)
                self.assertEqual(result.stdout, "")


if __name__ == "__main__":
    guikit.run_on_private_bus()
    unittest.main()
