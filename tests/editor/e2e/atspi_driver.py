"""Drives the real editor from outside through the desktop accessibility
interface (AT-SPI), as a screen reader or a user would: controls are found by
role and accessible name, never by pixel position. Run by the system Python
(/usr/bin/python3, where Debian's python3-pyatspi lives) inside
desktop_session.sh."""

import os
import subprocess
import sys
import time

import pyatspi

DEFAULT_TIMEOUT = 20.0


class DriverError(AssertionError):
    pass


def _role_name(obj):
    try:
        return obj.getRoleName()
    except Exception:
        return "?"


def _walk(obj, depth=0, limit=40):
    if obj is None or depth > limit:
        return
    yield obj
    try:
        count = obj.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = obj.getChildAtIndex(i)
        except Exception:
            continue
        yield from _walk(child, depth + 1, limit)


def normalise(text):
    """Accessible names carry the accelerator marks of captions ("&Kippbar"
    shows as "Kippbar"); tests may name controls either way."""
    return (text or "").replace("&", "").strip()


class Editor:
    """One run of the editor executable with its accessible tree."""

    def __init__(self, executable, arguments=(), env=None, app_name="fensterdaten", cwd=None):
        self.process = subprocess.Popen([executable, *arguments], env=env or os.environ.copy(), cwd=cwd)
        self.app_name = app_name
        self.app = self._wait_for_app()

    def _wait_for_app(self, timeout=DEFAULT_TIMEOUT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise DriverError("the editor ended early with status %s" % self.process.returncode)
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                try:
                    name = app.name
                    pid = app.get_process_id()
                except Exception:
                    continue
                if pid == self.process.pid or name == self.app_name:
                    if app.childCount > 0:
                        return app
            time.sleep(0.1)
        raise DriverError("the editor did not appear on the accessibility bus")

    def all(self, role=None, name=None, within=None):
        found = []
        for obj in _walk(within or self.app):
            if role is not None and _role_name(obj) != role:
                continue
            if name is not None and normalise(obj.name) != normalise(name):
                continue
            found.append(obj)
        return found

    def find(self, role, name, timeout=DEFAULT_TIMEOUT, showing=True, within=None):
        """The first control of role and name, inside within when given (a
        dialog, so that its "OK" is not the main window's)."""
        deadline = time.monotonic() + timeout
        while True:
            for obj in self.all(role, name, within):
                if not showing or obj.getState().contains(pyatspi.STATE_SHOWING):
                    return obj
            if time.monotonic() >= deadline:
                raise DriverError("no %s named %r; seen: %s" % (role, name, self.describe()))
            time.sleep(0.1)

    def showing(self, role, name):
        """The controls of role and name that are on the screen now."""
        return [o for o in self.all(role, name) if o.getState().contains(pyatspi.STATE_SHOWING)]

    def describe(self, limit=200):
        rows = []
        for obj in _walk(self.app):
            rows.append("%s:%r" % (_role_name(obj), obj.name))
            if len(rows) >= limit:
                break
        return ", ".join(rows)

    # Actions -------------------------------------------------------------
    @staticmethod
    def act(obj, preferred=("press", "click", "toggle", "activate", "Press", "SetFocus")):
        action = obj.queryAction()
        # Toolkits spell action names differently ("Toggle", "toggle").
        names = [action.getName(i).lower() for i in range(action.nActions)]
        for wanted in preferred:
            if wanted.lower() in names:
                action.doAction(names.index(wanted.lower()))
                return
        if action.nActions:
            action.doAction(0)
            return
        raise DriverError("%s %r has no action" % (_role_name(obj), obj.name))

    def press(self, role, name, within=None):
        self.act(self.find(role, name, within=within))

    @staticmethod
    def centre(obj):
        """The screen position of the middle of a control, for xdotool."""
        extents = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return extents.x + extents.width // 2, extents.y + extents.height // 2

    def menu(self, *path):
        """Chooses a menu item through the menu bar: menu("&Datei", "&Neu")."""
        parent = None
        for caption in path:
            candidates = [o for o in self.all(None, caption)
                          if _role_name(o) in ("menu", "menu item", "check menu item", "radio menu item")]
            if parent is not None:
                candidates = [o for o in candidates if self._is_inside(o, parent)] or candidates
            if not candidates:
                raise DriverError("no menu entry %r; seen: %s" % (caption, self.describe()))
            parent = candidates[0]
            self.act(parent)
            time.sleep(0.2)

    def choose_file(self, dialog_title, path, button):
        """Types path into the file name field of the file dialog titled
        dialog_title and presses button there."""
        dialog = self.find("dialog", dialog_title)
        name = [o for o in self.all("text", "Dateiname:") if self._is_inside(o, dialog)]
        check(name, "the %s dialog has no file name field" % dialog_title)
        self.set_text(name[0], path)
        buttons = [o for o in self.all("push button", button) if self._is_inside(o, dialog)]
        check(buttons, "the %s dialog has no button %s" % (dialog_title, button))
        self.act(buttons[0])
        self.wait_until(lambda: not self.showing("dialog", dialog_title), "the %s dialog to close" % dialog_title)

    def close_menus(self):
        """Closes popup menus that an item chosen through the accessibility
        interface leaves open, so that the next real click reaches the window."""
        for _ in range(3):
            if not [o for o in self.all("popup menu") if o.getState().contains(pyatspi.STATE_SHOWING)]:
                return
            self.key("Escape")

    def _menu_item(self, *path):
        parent = None
        for caption in path:
            candidates = [o for o in self.all(None, caption)
                          if _role_name(o) in ("menu", "menu item", "check menu item", "radio menu item")]
            if parent is not None:
                candidates = [o for o in candidates if self._is_inside(o, parent)] or candidates
            if not candidates:
                raise DriverError("no menu entry %r; seen: %s" % (caption, self.describe()))
            parent = candidates[0]
        return parent

    def trigger(self, *path):
        """Carries out a menu item without opening its menus, so that no
        menu stays open over the window afterwards."""
        self.act(self._menu_item(*path))
        time.sleep(0.2)

    def trigger_modal(self, *path):
        """As trigger, for an item that opens a modal dialog: the editor
        answers the action only when the dialog has closed, so the driver
        does not wait for that answer."""
        self.act_modal(self._menu_item(*path))

    @staticmethod
    def act_modal(obj):
        from gi.repository import Atspi, GLib
        Atspi.set_timeout(800, -1)
        try:
            Editor.act(obj)
        except GLib.GError:
            pass  # the action runs; its answer comes when the dialog closes
        finally:
            Atspi.set_timeout(-1, -1)
        time.sleep(0.3)

    @staticmethod
    def _is_inside(obj, ancestor):
        node = obj
        for _ in range(40):
            try:
                node = node.parent
            except Exception:
                return False
            if node is None:
                return False
            if node == ancestor:
                return True
        return False

    @staticmethod
    def set_value(obj, value):
        """A spin edit's value through the Value interface, the way assistive
        technology sets it (the editor sees a change as from the arrows)."""
        obj.queryValue().currentValue = float(value)

    @staticmethod
    def value(obj):
        return obj.queryValue().currentValue

    @staticmethod
    def set_text(obj, text):
        editable = obj.queryEditableText()
        editable.setTextContents(text)

    @staticmethod
    def screenshot(obj):
        """The pixels the control shows on the screen, as raw RGB bytes."""
        extents = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        geometry = "%dx%d+%d+%d" % (extents.width, extents.height, extents.x, extents.y)
        return subprocess.run(["import", "-window", "root", "-crop", geometry, "rgb:-"],
                              check=True, capture_output=True).stdout

    @staticmethod
    def text(obj):
        """The text a control shows; for a named label without a text
        interface, its description."""
        try:
            t = obj.queryText()
        except NotImplementedError:
            return obj.description or ""
        return t.getText(0, t.characterCount)

    @staticmethod
    def checked(obj):
        return obj.getState().contains(pyatspi.STATE_CHECKED)

    @staticmethod
    def enabled(obj):
        return obj.getState().contains(pyatspi.STATE_ENABLED)

    # The real mouse and keyboard (xdotool on the same display) ----------
    @staticmethod
    def extents(obj):
        """Screen rectangle (x, y, width, height) of a control."""
        box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    @staticmethod
    def move_to(x, y):
        subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y)], check=True)
        time.sleep(0.1)

    def click_at(self, x, y, button=1):
        self.move_to(x, y)
        subprocess.run(["xdotool", "click", str(button)], check=True)
        time.sleep(0.2)

    @staticmethod
    def focus_window(title):
        """Gives the keyboard back to the window titled title (after a dialog
        closed there is no window manager to do it)."""
        subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title, "windowfocus", "--sync"],
                       check=False)
        time.sleep(0.2)

    @staticmethod
    def key(keys):
        """Keys in xdotool's names ("ctrl+z") to the window under the pointer."""
        subprocess.run(["xdotool", "key", "--clearmodifiers", keys], check=True)
        time.sleep(0.2)

    def wait_until(self, predicate, what, timeout=DEFAULT_TIMEOUT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if predicate():
                return
            time.sleep(0.1)
        raise DriverError("timed out waiting for " + what)

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise DriverError("the editor did not end")

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def check(condition, message):
    if not condition:
        raise DriverError(message)


def main(test):
    """Runs test(executable) and turns a failure into exit status 1."""
    try:
        test(sys.argv[1])
    except DriverError as error:
        print("FAIL:", error, file=sys.stderr)
        sys.exit(1)
    print("passed")
