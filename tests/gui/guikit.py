"""Running the real window on a private X display and looking at it as a person (or a screen
reader) would: the accessibility tree for what is shown, xdotool for keys and clicks.

Every session has its own display, its own D-Bus session bus (for the accessibility tree) and
its own XDG_CONFIG_HOME with a port map in which COM1-COM32 are masked, so no test ever opens
the machine's /dev/ttyS* ports. Waits poll with a bound; nothing sleeps and hopes.
"""
import contextlib
import os
import pty
import select
import shutil
import subprocess
import sys
import tempfile
import time
import tty
import unittest
import warnings

BUS_MARKER = "ZELVORA_GUI_PRIVATE_BUS"


def run_on_private_bus():
    """Re-runs this script inside its own D-Bus session (once), so the program and the test
    share an accessibility bus that nothing else sees. The bus daemons' chatter is dropped; the
    test's own output keeps the original stdout and stderr."""
    skip_unless_tools()
    if os.environ.get(BUS_MARKER):
        out_fd, err_fd = (int(fd) for fd in os.environ[BUS_MARKER].split(","))
        os.dup2(out_fd, 1)
        os.dup2(err_fd, 2)
        return
    if shutil.which("dbus-run-session") is None:
        sys.exit("dbus-run-session is missing (Debian package dbus)")
    out_fd, err_fd = os.dup(1), os.dup(2)
    # The accessibility bus puts its socket in the runtime directory: a private one keeps
    # sessions running side by side apart.
    runtime = tempfile.mkdtemp(prefix="zelvora-gui-run-")
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, **{BUS_MARKER: f"{out_fd},{err_fd}"})
    verbose = bool(os.environ.get("ZELVORA_GUI_VERBOSE"))
    try:
        with open(os.devnull, "w") as quiet:
            code = subprocess.call(["dbus-run-session", "--", sys.executable] + sys.argv,
                                   env=env, pass_fds=(out_fd, err_fd),
                                   stdout=None if verbose else quiet,
                                   stderr=None if verbose else quiet)
    finally:
        shutil.rmtree(runtime, ignore_errors=True)
    sys.exit(code)


def skip_unless_tools():
    """Exits with 77 (skipped, for CTest) when the machine lacks what these tests drive."""
    missing = [tool for tool in ("Xvfb", "xdotool", "import", "dbus-run-session")
               if shutil.which(tool) is None]
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("pyatspi (python3-pyatspi, with /usr/bin/python3)")
    if missing:
        print("skipped: missing " + ", ".join(missing), file=sys.stderr)
        sys.exit(77)


def wait_for(what, probe, timeout=10.0, interval=0.03):
    """Calls probe() until it returns something true, and returns that; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class VirtualDisplay:
    """An Xvfb server on a display number it picks itself."""

    def __init__(self, width=1280, height=1024):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number.decode()

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class PortHolder:
    """A pseudo-terminal whose far end this process holds open, so the device stays there."""

    def __init__(self):
        self.master, self.slave = pty.openpty()
        tty.setraw(self.master)
        self.path = os.ttyname(self.slave)

    def close(self):
        os.close(self.slave)
        os.close(self.master)


class ConfigHome:
    """A private XDG_CONFIG_HOME whose port map masks COM1-COM32 (the machine's ttyS ports)."""

    def __init__(self):
        self.path = tempfile.mkdtemp(prefix="zelvora-gui-")
        self.ports = os.path.join(self.path, "zelvora", "ports")
        os.makedirs(self.ports)
        for n in range(1, 33):
            os.symlink(os.path.join(self.path, "masked"), os.path.join(self.ports, f"COM{n}"))
        self.holders = []

    def add_port(self, name):
        """Publishes a fresh pty under a COM name (replacing a mask)."""
        holder = PortHolder()
        self.holders.append(holder)
        link = os.path.join(self.ports, name)
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(holder.path, link)
        return holder

    def profile(self):
        store = os.path.join(self.path, "Tavrick", "zelvora.ini")
        if not os.path.exists(store):
            return ""
        with open(store) as file:
            return file.read()

    def close(self):
        for holder in self.holders:
            holder.close()
        shutil.rmtree(self.path, ignore_errors=True)


def program_path():
    for candidate in (os.environ.get("ZELVORA_BIN"),
                      os.path.join(os.path.dirname(__file__), "..", "..", "build", "zelvora")):
        if candidate and os.access(candidate, os.X_OK):
            return os.path.abspath(candidate)
    raise SystemExit("set ZELVORA_BIN to the zelvora program")


class Program:
    """zelvora running on a display, with its stderr kept for inspection."""

    def __init__(self, display, config, dpi_scale=None, env=None):
        environment = dict(os.environ)
        environment.update(DISPLAY=display.name, XDG_CONFIG_HOME=config.path,
                           GTK_A11Y="atspi", NO_AT_BRIDGE="0", LC_ALL="C.UTF-8")
        environment.pop("WAYLAND_DISPLAY", None)
        environment.pop("GDK_SCALE", None)
        if dpi_scale:
            environment["GDK_DPI_SCALE"] = str(dpi_scale)
        environment.update(env or {})
        self.stderr_file = tempfile.TemporaryFile()
        self.display = display
        self.process = subprocess.Popen([program_path()], env=environment,
                                        stdout=subprocess.DEVNULL, stderr=self.stderr_file)
        self.window = None

    def wait_mapped(self, caption="Zelvora", timeout=15.0):
        """The X window id of the visible top-level window with this exact caption."""
        def probe():
            if self.process.poll() is not None:
                raise AssertionError(f"zelvora ended early with status {self.process.returncode}:"
                                     f" {self.stderr()}")
            return self.find_window(caption)
        self.window = wait_for(f"a window captioned {caption!r}", probe, timeout)
        return self.window

    def find_window(self, caption):
        """A visible top-level window captioned exactly so (xdotool's search ignores case)."""
        for window in self.xdotool("search", "--onlyvisible", "--name", f"^{caption}$",
                                   check=False).split():
            if self.xdotool("getwindowname", window, check=False) == caption:
                return window
        return None

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=self.display.name),
                                capture_output=True, text=True)
        if check and result.returncode != 0:
            raise AssertionError(f"xdotool {' '.join(args)} failed: {result.stderr}")
        return result.stdout.strip()

    def keys(self, *keys):
        """Keys typed into the focused window (GTK ignores keys sent to an unfocused one)."""
        self.xdotool("windowfocus", "--sync", self.window)
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text):
        self.xdotool("windowfocus", "--sync", self.window)
        self.xdotool("type", "--delay", "20", text)

    def click_at(self, x, y):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        self.xdotool("click", "1")

    def screenshot(self, path, window=None):
        """A picture of a window once it has painted (a window not yet drawn shows black)."""
        env = dict(os.environ, DISPLAY=self.display.name)

        def painted():
            subprocess.run(["import", "-window", window or self.window, path], env=env,
                           check=True)
            mean = subprocess.run(["convert", path, "-format", "%[fx:mean]", "info:"],
                                  capture_output=True, text=True, check=True).stdout
            return float(mean) > 0.3
        wait_for(f"{path} to show a painted window", painted, timeout=10, interval=0.1)

    def wait_exit(self, timeout=10.0):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"zelvora did not end; its stderr: {self.stderr()!r}") from None

    def stderr(self):
        self.stderr_file.seek(0)
        return self.stderr_file.read().decode(errors="replace")

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.stderr_file.close()


def simulator_path():
    path = os.environ.get("ZELVORA_SIM_BIN") or os.path.join(
        os.path.dirname(program_path()), "zelvora-sim")
    if not os.access(path, os.X_OK):
        raise SystemExit("set ZELVORA_SIM_BIN to the zelvora-sim program")
    return path


class Simulator:
    """zelvora-sim published under a COM name in a config home's port map, logging every byte
    to a transcript in that home. It runs --fast: these tests look at what is said, and the
    9600-baud pace would only make them slow."""

    def __init__(self, config, *options, port="COM9", timeout=10.0):
        self.transcript = os.path.join(config.path, f"{port}-transcript.txt")
        self.process = subprocess.Popen(
            [simulator_path(), "--port", port, "--fast", "--transcript", self.transcript,
             *options],
            env=dict(os.environ, XDG_CONFIG_HOME=config.path), stdout=subprocess.PIPE)
        try:
            ready = self._ready_line(timeout)
        except BaseException:
            self.close()
            raise
        # Only once this line is out is the port map entry there for the program to find.
        if not ready.startswith(port + " "):
            status = self.process.poll()
            self.close()
            ended = "" if status is None else f" (it ended with status {status})"
            raise AssertionError(f"zelvora-sim did not report {port} ready: {ready!r}{ended}")

    def _ready_line(self, timeout):
        """Its first line of output; a simulator that hangs or dies fails the wait instead of
        blocking it."""
        line = b""
        deadline = time.monotonic() + timeout
        while not line.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.process.stdout], [], [], left)[0]:
                raise AssertionError(f"zelvora-sim printed no ready line in {timeout:.0f} s")
            chunk = os.read(self.process.stdout.fileno(), 256)
            if not chunk:
                # It closed its output, so it is ending: wait for the status that says how.
                self.process.wait(timeout=10)
                break
            line += chunk
        return line.decode(errors="replace").strip()

    def conversation(self):
        """The lines sent to the timer ("in") and its replies ("out") so far, in order, from a
        transcript of one byte a row ("<time> <direction> <hex byte> ...")."""
        lines, current, direction = [], "", None
        with open(self.transcript) as file:
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

    def sent(self):
        """The lines the timer has received so far, in order."""
        return [text for direction, text in self.conversation() if direction == "in"]

    def close(self):
        # SIGTERM, not a kill: the simulator then removes its own port map entry.
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stdout.close()


class Accessibility:
    """The program's accessibility tree, as a screen reader sees it."""

    def __init__(self, program):
        import pyatspi  # Debian's python3-pyatspi; run with /usr/bin/python3
        # pyatspi still calls older Atspi names; those notices are not about our code.
        warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")
        self.pyatspi = pyatspi
        self.program = program

    def application(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            try:
                if app is not None and app.get_process_id() == self.program.process.pid:
                    return app
            except Exception:  # an application going away mid-walk
                continue
        return None

    def find_all(self, predicate, root=None):
        root = root or self.application()
        if root is None:
            return []
        return list(self.pyatspi.utils.findAllDescendants(root, predicate))

    def find(self, role, name=None, root=None):
        def match(node):
            return node is not None and node.getRoleName() == role and (
                name is None or node.name == name)
        found = self.find_all(match, root)
        return found[0] if found else None

    def wait_find(self, role, name=None, root=None, timeout=10.0):
        return wait_for(f"{role} {name!r}", lambda: self.find(role, name, root), timeout)

    def enabled(self, node):
        return node.getState().contains(self.pyatspi.STATE_ENABLED)

    def focused(self, node):
        return node.getState().contains(self.pyatspi.STATE_FOCUSED)

    def checked(self, node):
        return node.getState().contains(self.pyatspi.STATE_CHECKED)

    def text(self, node):
        text = node.queryText()
        return text.getText(0, text.characterCount)

    def centre(self, node):
        box = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        return box.x + box.width // 2, box.y + box.height // 2

    def label_starting(self, prefix):
        """The text of the first label that starts so: texts the timer fills in vary after a
        fixed opening."""
        found = self.find_all(lambda n: n is not None and n.getRoleName() == "label"
                              and n.name.startswith(prefix))
        return found[0].name if found else None

    def focused_node(self):
        found = self.find_all(lambda node: node is not None and self.focused(node)
                              and node.getRoleName() not in ("dialog", "frame", "alert"))
        return found[-1] if found else None


def connect(program, a11y, port="COM9"):
    """Types the port into the window and clicks Connect; returns once Disconnect is live,
    which the window allows only when the timer has answered."""
    program.type_text(port)
    program.click_at(*a11y.centre(a11y.find("push button", "Connect")))
    disconnect = a11y.find("push button", "Disconnect")
    wait_for("the connection", lambda: a11y.enabled(disconnect))


@contextlib.contextmanager
def session():
    """A private display and config home; yields (display, config)."""
    display = VirtualDisplay()
    config = ConfigHome()
    try:
        yield display, config
    finally:
        config.close()
        display.close()


class WindowTestCase(unittest.TestCase):
    """A test with a display and config home of its own, gone after it."""

    def setUp(self):
        self.display = VirtualDisplay()
        self.config = ConfigHome()
        self.addCleanup(self.display.close)
        self.addCleanup(self.config.close)

    def start_program(self):
        """The window, once it shows its controls; killed after the test if still running."""
        program = Program(self.display, self.config)
        self.addCleanup(program.close)
        program.wait_mapped()
        a11y = Accessibility(program)
        a11y.wait_find("push button", "Connect")
        return program, a11y


# Toolkit warnings, and sanitizer reports when the program is built with them.
TROUBLE = ("Gtk-", "Gdk-", "GLib-", "GLib-GObject-", "CRITICAL", "WARNING", "Pango-", "atk-",
           "dbind-", "runtime error:", "Sanitizer")


def toolkit_warnings(stderr):
    return [line for line in stderr.splitlines() if any(mark in line for mark in TROUBLE)]
