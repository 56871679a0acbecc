"""The program as a screen reader meets it, then the tax window by the keyboard alone.

Every window, tab and page is read over AT-SPI: each focusable control showing has a name,
no two of them in one view share it, buttons and page tabs have a press action, and the
help window's tabs are page tabs with exactly one selected. The keyboard part sends keys
only (xdotool), no mouse, and reads the sheet's fields and results at each step.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

BIN = sys.argv[1]
CONTROLS = {"push button", "text", "page tab", "spin button", "combo box", "check box", "radio button"}
PRESSABLE = {"push button", "page tab"}
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, flush=True)


def wait_for(probe, what, timeout=10.0):
    """The first true value of probe(), polled until the timeout."""
    end = time.monotonic() + timeout
    while True:
        # The library learns of new applications and changes from bus signals, which
        # only arrive while its main loop runs.
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            value = probe()
        except Exception:  # the tree changes under a window that opens or closes
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


def state(node, s):
    return node.getState().contains(s)


def nodes(node, showing_only=True):
    """The node and its descendants; a node that is not showing hides its subtree."""
    if showing_only and not state(node, pyatspi.STATE_SHOWING):
        return
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child, showing_only)


def actions(node):
    try:
        a = node.queryAction()
    except NotImplementedError:
        return []
    return [a.getName(i) for i in range(a.nActions)]


def find(root, role, name):
    for n in nodes(root):
        if n.getRoleName() == role and n.name == name:
            return n
    return None


def press(node):
    a = node.queryAction()
    a.doAction(actions(node).index("Press"))


def text_of(node):
    return node.queryText().getText(0, -1)


# --- the program -----------------------------------------------------------------

env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply", "/org/a11y/bus",
                "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL)
# The registry must be up before the program starts: a program that comes while the
# registry is still starting is not listed.
pyatspi.Registry.getDesktop(0).childCount
program = subprocess.Popen([BIN], env=env)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == program.pid:
            return app
    return None


def window(name):
    """A top-level window of the program that is showing, by its accessible name."""
    def probe():
        app = application()
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is not None and w.name == name and state(w, pyatspi.STATE_SHOWING):
                return w
        return None
    return wait_for(probe, "window " + name)


def gone(name):
    def probe():
        app = application()
        return all(app.getChildAtIndex(i) is None or app.getChildAtIndex(i).name != name
                   or not state(app.getChildAtIndex(i), pyatspi.STATE_SHOWING) for i in range(app.childCount))
    wait_for(probe, "window " + name + " to close")


def check_view(win, view, expected_buttons=()):
    """What a screen reader meets in one view of a window."""
    seen = {}
    for n in nodes(win):
        role = n.getRoleName()
        if role not in CONTROLS or not state(n, pyatspi.STATE_FOCUSABLE):
            continue
        check(n.name.strip() != "", f"{view}: a {role} without a name")
        check(n.name not in seen, f"{view}: two controls named {n.name!r}")
        seen[n.name] = n
        if role in PRESSABLE:
            check("Press" in actions(n), f"{view}: {n.name!r} has no press action")
    for name in expected_buttons:
        n = seen.get(name)
        check(n is not None and n.getRoleName() == "push button", f"{view}: no push button {name!r}")
    return seen


def xkey(*keys):
    subprocess.run(["xdotool", "key", "--delay", "30", *keys], check=True)


def xtype(text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)


def activate(win, title):
    """There is no window manager: where the program's own activation did not reach X,
    give the window the input focus as a window manager would."""
    try:
        wait_for(lambda: state(win, pyatspi.STATE_ACTIVE), title + " active", timeout=2)
        return
    except AssertionError:
        pass
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(program.pid)],
                         capture_output=True, text=True).stdout.split()
    for wid in ids:
        name = subprocess.run(["xdotool", "getwindowname", wid], capture_output=True, text=True).stdout
        if name.rstrip("\n") == title:
            subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)
    wait_for(lambda: state(win, pyatspi.STATE_ACTIVE), title + " active")


def focused(win):
    return wait_for(lambda: next((n for n in nodes(win) if state(n, pyatspi.STATE_FOCUSED)), None), "a focus")


def expect_focus(win, name):
    wait_for(lambda: focused(win).name == name, f"the focus on {name!r}", timeout=5)


def labels(win):
    """Result labels by what they describe: "配偶者 各人の納付税額" -> "8,525"."""
    return {n.description: n.name for n in nodes(win) if n.getRoleName() == "label" and n.description}


try:
    menu = window("メインメニュー")
    check_view(menu, "menu", ["相続税計算", "係数計算", "About", "終 了"])

    # --- the keyboard alone: the worked example from the menu to the closed window -------
    activate(menu, " ")
    expect_focus(menu, "相続税計算")
    xkey("Return")
    sheet = window("相続税計算シート")
    activate(sheet, "相続税計算シート")
    expect_focus(sheet, "配偶者 相続・遺贈で取得した額")
    check_view(sheet, "tax window", ["配偶者の入力をクリア", "相続人2の入力をクリア", "相続人3の入力をクリア",
                                     "相続人4の入力をクリア", "受遺者の入力をクリア", "相続分をクリア",
                                     "未成年者の年数をクリア", "すべてクリア", "画面を印刷", "納付税額計算"])

    amounts = [[250000, 20000, 5000, 8000, 2000, 0], [80000, 0, 0, 0, 0, 5000], [40000, 15000, 5000, 0, 0, 0],
               [0] * 6, [30000, 0, 0, 0, 0, 0]]
    for person in amounts:
        for amount in person:
            if amount:
                xtype(str(amount))
            xkey("Return")
    expect_focus(sheet, "法定相続人数")
    xkey("BackSpace")
    xtype("4")
    xkey("Return")
    for numerator, denominator in [("1", "2"), ("1", "6"), ("1", "6"), ("1", "6"), ("", "")]:
        for part in (numerator, denominator):
            if part:
                xtype(part)
            xkey("Return")
    for years in ("0", "5", "0"):
        xkey("BackSpace")
        xtype(years)
        xkey("Return")
    first = find(sheet, "text", "配偶者 相続・遺贈で取得した額")
    check(text_of(first) == "250,000", f"the first amount reads {text_of(first)!r}")

    expect_focus(sheet, "納付税額計算")
    xkey("Return")
    expected = {"配偶者 各人の納付税額": "8,525", "相続人 2 各人の納付税額": "15,500",
                "相続人 3 各人の納付税額": "9,000", "受遺者 各人の納付税額": "6,510"}
    wait_for(lambda: all(labels(sheet).get(k) == v for k, v in expected.items()), "the worked example's taxes")
    shown = labels(sheet)
    check(any(v == "90,000" and "基礎控除額" in k for k, v in shown.items()), "the basic deduction is not 90,000")

    # From "納付税額計算" the Tab key runs down the command column, then the clearing boxes.
    for name in ["相続開始後の手続き", "相続税計算シート", "シートHELP", "閉じる", "配偶者の入力をクリア",
                 "相続人2の入力をクリア", "相続人3の入力をクリア", "相続人4の入力をクリア", "受遺者の入力をクリア",
                 "相続分をクリア", "未成年者の年数をクリア", "すべてクリア"]:
        xkey("Tab")
        expect_focus(sheet, name)
    xkey("space")
    wait_for(lambda: all(v == "0" for k, v in labels(sheet).items() if k in expected), "results of 0 after AC")
    check(text_of(first) == "0", f"after AC the first amount reads {text_of(first)!r}")

    xkey("F1")
    help_window = window("相続税の用語と解説")
    activate(help_window, "相続税の用語と解説")
    captions = ["計算シートHELP", "用語の解説", "相続時精算課税制度", "配偶者の税額の軽減", "遺言", "代償分割と協議書"]

    def selected_tab():
        lists = [n for n in nodes(help_window) if n.getRoleName() == "page tab list"]
        check(len(lists) == 1, f"{len(lists)} page tab lists in the help window")
        tabs = [lists[0].getChildAtIndex(i) for i in range(lists[0].childCount)]
        check([t.getRoleName() for t in tabs] == ["page tab"] * 6, "the help tabs are not six page tabs")
        chosen = [t.name for t in tabs if state(t, pyatspi.STATE_SELECTED)]
        check(len(chosen) == 1, f"selected tabs: {chosen}")
        return chosen[0] if chosen else None

    expect_focus(help_window, captions[0])
    for page in range(6):
        wait_for(lambda: selected_tab() == captions[page], f"page {captions[page]}")
        check_view(help_window, "help page " + captions[page], ["閉じる"])
        if page < 5:
            xkey("Right")  # past the end of the first row into the second
    xkey("ctrl+Next")
    wait_for(lambda: selected_tab() == captions[0], "Ctrl+PageDown round to the first page")
    xkey("ctrl+shift+Tab")
    wait_for(lambda: selected_tab() == captions[5], "Ctrl+Shift+Tab back to the last page")
    xkey("Escape")
    gone("相続税の用語と解説")

    activate(sheet, "相続税計算シート")
    for _ in range(8):  # from "すべてクリア" back up to "閉じる"
        xkey("shift+Tab")
    expect_focus(sheet, "閉じる")
    xkey("Return")
    gone("相続税計算シート")

    # --- the other views, opened by the reader's press action ----------------------------
    press(find(menu, "push button", "相続税計算"))
    sheet = window("相続税計算シート")
    press(find(sheet, "push button", "相続開始後の手続き"))
    wait_for(lambda: find(sheet, "text", "配偶者 相続・遺贈で取得した額") is None, "the sheet page to be parked")
    check_view(sheet, "tax window, procedures chart", ["相続開始後の手続き", "画面を印刷"])
    press(find(sheet, "push button", "閉じる"))

    press(find(menu, "push button", "係数計算"))
    coefficients = window("基本係数")
    tab_list = wait_for(lambda: next(n for n in nodes(coefficients) if n.getRoleName() == "page tab list"),
                        "the coefficient tabs")
    tabs = [t for t in (tab_list.getChildAtIndex(i) for i in range(tab_list.childCount))
            if t.getRoleName() == "page tab"]
    check(len(tabs) == 6, f"{len(tabs)} coefficient tabs")
    for tab in tabs:
        press(tab)
        # Fields are named after their tab: "終価係数 元利合計の計算 運用金額".
        wait_for(lambda: any(n.getRoleName() == "text" and n.name.startswith(tab.name + " ")
                             for n in nodes(coefficients)), "the fields of tab " + tab.name)
        check_view(coefficients, "coefficient tab " + tab.name, ["画面を印刷", "閉じる"])
    check(find(coefficients, "push button", "必要資金の計算をクリア") is not None, "no CE button on the last tab")
    press(tabs[0])
    wait_for(lambda: find(coefficients, "text", "終価係数 物価上昇率の計算 年数"), "the first tab's fields")
    check_view(coefficients, "coefficient tab 0", ["元利合計の計算をクリア", "物価上昇率の計算をクリア",
                                                   "計算（元利合計）", "計算（物価上昇率）"])

    press(find(menu, "push button", "About"))
    about = wait_for(lambda: next(application().getChildAtIndex(i) for i in range(application().childCount)
                                  if application().getChildAtIndex(i).name not in ("メインメニュー", "基本係数")
                                  and state(application().getChildAtIndex(i), pyatspi.STATE_SHOWING)),
                     "the About box")
    check_view(about, "About box", ["OK"])
except AssertionError as e:
    check(False, str(e))
finally:
    program.kill()
    program.wait()

print("accessibility:", "ok" if not failures else f"{len(failures)} failures")
sys.exit(1 if failures else 0)
