#!/usr/bin/python3
"""While the window waits for a slow timer it keeps repainting (a window laid over it and
taken away is drawn again) and takes no input: a click made meanwhile acts only after the
exchange has ended, so no second exchange can start inside the first."""
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import guikit  # noqa: E402


def differing_pixels(a, b):
    out = subprocess.run(["compare", "-metric", "AE", "-fuzz", "5%", a, b, "null:"],
                         capture_output=True, text=True)
    return int(float(out.stderr.split()[0]))


class BusyWhileWaiting(guikit.WindowTestCase):
    def setUp(self):
        super().setUp()
        # Each byte of every reply comes 60 ms late: connecting takes several seconds.
        self.simulator = guikit.Simulator(self.config, "--trickle", "60")
        self.addCleanup(self.simulator.close)

    def test_repaints_and_defers_input_during_an_exchange(self):
        program, a11y = self.start_program()
        program.type_text("COM9")
        geometry = program.xdotool("getwindowgeometry", "--shell", program.window)
        box = dict(line.split("=") for line in geometry.splitlines())
        # The lower part of the window does not change while connecting.
        lower = (f"{box['WIDTH']}x{int(box['HEIGHT']) // 3}+{box['X']}"
                 f"+{int(box['Y']) + 2 * int(box['HEIGHT']) // 3}")
        env = dict(os.environ, DISPLAY=self.display.name)
        before = os.path.join(self.config.path, "before.png")
        subprocess.run(["import", "-window", "root", "-crop", lower, before], env=env, check=True)
        close = a11y.centre(a11y.find("push button", "Close"))
        program.click_at(*a11y.centre(a11y.find("push button", "Connect")))
        guikit.wait_for("the probe", lambda: "V" in self.simulator.sent(), timeout=5)

        # "Close" now would end the dialog at once if the click got through.
        program.click_at(*close)
        # Lay another window over ours and take it away again, mid-exchange.
        cover = subprocess.Popen(
            ["xev", "-geometry", f"{box['WIDTH']}x{box['HEIGHT']}+{box['X']}+{box['Y']}"],
            env=env, stdout=subprocess.DEVNULL)
        guikit.wait_for("the cover window", lambda: program.xdotool(
            "search", "--onlyvisible", "--name", "Event Tester", check=False))
        covered = os.path.join(self.config.path, "covered.png")
        subprocess.run(["import", "-window", "root", "-crop", lower, covered], env=env, check=True)
        self.assertGreater(differing_pixels(before, covered), 1000, "the cover did not show")
        cover.terminate()
        cover.wait()
        after = os.path.join(self.config.path, "after.png")

        def repainted():
            subprocess.run(["import", "-window", "root", "-crop", lower, after], env=env,
                           check=True)
            return differing_pixels(before, after) < 50
        guikit.wait_for("the uncovered window drawn again", repainted, timeout=5, interval=0.05)
        self.assertNotIn("L?", self.simulator.sent(), "the exchange ended before the test looked")
        self.assertIsNone(program.process.poll(), "the window closed during the exchange")

        # The click acts once the exchange is over: the connection completed first.
        self.assertEqual(program.wait_exit(timeout=30), 0)
        sent = self.simulator.sent()
        self.assertIn("L?", sent)
        self.assertEqual(sent[-1], "X")
        self.assertEqual(guikit.toolkit_warnings(program.stderr()), [])


if __name__ == "__main__":
    guikit.run_on_private_bus()
    unittest.main()
