#!/usr/bin/python3
"""The real window answers the keyboard as a dialog does: Tab in template order skipping
disabled controls, Alt with a marked letter, a digits-only timeout field with its up-down
control, Enter as OK with the framework's validation box, F1 harmless."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import guikit  # noqa: E402


class Keyboard(guikit.WindowTestCase):
    def setUp(self):
        super().setUp()
        # A port in the list: the port box's drop-down arrow is live only when there is
        # something to drop down, and a live arrow could take a tab stop of its own.
        self.config.add_port("COM5")
        self.program, self.a11y = self.start_program()

    def focus(self):
        """(role, name) of the focused control, once the toolkit has settled."""
        node = self.a11y.focused_node()
        return (node.getRoleName(), node.name) if node else None

    def wait_focus(self, role, name):
        return guikit.wait_for(f"focus on {role} {name!r}",
                               lambda: self.focus() == (role, name), timeout=5)

    def timeout_text(self):
        return self.a11y.text(self.a11y.find("text", "Race Timeout"))

    def test_tab_follows_template_order_and_skips_disabled_controls(self):
        # The first control, the port box's field, has the focus when the window opens.
        combo = self.a11y.find("combo box")
        field = self.a11y.find("text", None, combo)
        guikit.wait_for("focus in the port box", lambda: self.a11y.focused(field))
        # Tab from the field goes past the box's drop-down arrow, which is live with a port
        # listed (with none it is disabled, and Tab would skip it anyway).
        self.assertIsNotNone(self.a11y.find("menu item", "COM5", combo))
        # Disconnect, Refresh and Set are disabled with no port open.
        for expected in [("push button", "Connect"), ("text", "Race Timeout"),
                         ("check box", "Lane1"), ("check box", "Lane2")]:
            self.program.keys("Tab")
            self.wait_focus(*expected)
        self.program.keys("shift+Tab", "shift+Tab")
        self.wait_focus("text", "Race Timeout")
        self.program.keys("Escape")
        self.assertEqual(self.program.wait_exit(), 0)

    def test_mnemonics_focus_and_toggle(self):
        lane1 = self.a11y.find("check box", "Lane1")
        lane3 = self.a11y.find("check box", "Lane3")
        self.program.keys("alt+l")  # "Acive &Lanes:" leads to the first lane box
        self.wait_focus("check box", "Lane1")
        self.assertFalse(self.a11y.checked(lane1))
        self.program.keys("alt+3")  # "Lane&3" ticks its box, once
        self.wait_focus("check box", "Lane3")
        guikit.wait_for("Lane3 ticked", lambda: self.a11y.checked(lane3), timeout=5)
        self.program.keys("alt+3")
        guikit.wait_for("Lane3 clear", lambda: not self.a11y.checked(lane3), timeout=5)
        self.program.keys("alt+t")  # "Race &Timeout" leads to its field
        self.wait_focus("text", "Race Timeout")
        self.program.keys("Escape")
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertEqual(guikit.toolkit_warnings(self.program.stderr()), [])

    def test_timeout_field_takes_digits_and_steps_with_up_down(self):
        self.program.keys("alt+t", "ctrl+a")
        self.wait_focus("text", "Race Timeout")
        self.program.type_text("1a2-")
        guikit.wait_for("12 typed", lambda: self.timeout_text() == "12", timeout=5)
        self.program.keys("Up")
        guikit.wait_for("Up key steps to 13", lambda: self.timeout_text() == "13", timeout=5)
        up = self.a11y.find("push button", "Up")
        down = self.a11y.find("push button", "Down")
        self.program.click_at(*self.a11y.centre(up))
        guikit.wait_for("the up arrow steps to 14", lambda: self.timeout_text() == "14", timeout=5)
        self.program.click_at(*self.a11y.centre(down))
        self.program.click_at(*self.a11y.centre(down))
        guikit.wait_for("the down arrow steps to 12", lambda: self.timeout_text() == "12",
                        timeout=5)
        # The arrows keep to 0 ... 100 and leave the focus in the field.
        self.program.keys("ctrl+a")
        self.program.type_text("0")
        self.program.keys("Down")
        guikit.wait_for("held at 0", lambda: self.timeout_text() == "0", timeout=5)
        self.wait_focus("text", "Race Timeout")
        self.program.keys("Escape")
        self.assertEqual(self.program.wait_exit(), 0)

    def test_enter_validates_and_closes_only_when_valid(self):
        self.program.keys("alt+t", "ctrl+a")
        self.program.type_text("300")
        guikit.wait_for("300 typed", lambda: self.timeout_text() == "300", timeout=5)
        self.program.keys("F1")  # no help file ships: nothing happens
        self.program.keys("Return")
        box = self.a11y.wait_find("alert")
        self.assertEqual(box.name, "zelvora")
        labels = [n.name for n in self.a11y.find_all(
            lambda n: n is not None and n.getRoleName() == "label", box)]
        self.assertIn("Please enter an integer between 0 and 255.", labels)
        self.assertIsNotNone(self.a11y.find("icon", None, box), "the box shows no icon")
        self.assertIsNotNone(self.a11y.find("push button", "OK", box))
        box_window = self.program.find_window("zelvora")
        self.program.xdotool("windowfocus", "--sync", box_window)
        self.program.xdotool("key", "Escape")
        guikit.wait_for("the box to close", lambda: self.a11y.find("alert") is None, timeout=5)
        # Back in the field, its text selected, the window still open.
        field = self.a11y.find("text", "Race Timeout")
        guikit.wait_for("focus back on the field", lambda: self.a11y.focused(field), timeout=5)
        text = field.queryText()
        self.assertEqual(text.getNSelections(), 1)
        self.assertEqual(tuple(text.getSelection(0)), (0, 3))
        self.assertIsNone(self.program.process.poll())

        self.program.keys("ctrl+a")
        self.program.type_text("20")
        guikit.wait_for("20 typed", lambda: self.timeout_text() == "20", timeout=5)
        self.program.keys("Return")
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertEqual(guikit.toolkit_warnings(self.program.stderr()), [])


if __name__ == "__main__":
    guikit.run_on_private_bus()
    unittest.main()
