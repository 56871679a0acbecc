# SPDX-License-Identifier: MIT
"""The program as a screen reader meets it (AT-SPI), then the tax window by keys alone.

In every window, tab and page: each focusable control showing has a name, no two share
one, buttons and page tabs have a press action; the help tabs are page tabs with one
selected. The keyboard part sends keys only (xdotool) and reads the sheet at each step.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

CONTROLS = {"push button", "text", "page tab", "spin button", "combo box", "check box", "radio button"}
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, flush=True)


def wait_for(probe, what, timeout=10.0):
    end = time.monotonic() + timeout
    while True:
        # The library learns of changes from bus signals, which arrive only in its main loop.
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            value = probe()
        except Exception:  # the tree changes under a window that opens or closes
            value = None
        if value or time.monotonic() > end:
            if not value:
                raise AssertionError("timed out waiting for " + what)
            return value
        time.sleep(0.05)


def has(node, s):
    return node.getState().contains(s)


def nodes(node):
    """The node and its descendants that are showing."""
    if node is not None and has(node, pyatspi.STATE_SHOWING):
        yield node
        for i in range(node.childCount):
            yield from nodes(node.getChildAtIndex(i))


def actions(node):
    try:
        a = node.queryAction()
        return [a.getName(i) for i in range(a.nActions)]
    except NotImplementedError:
        return []


def find(root, role, name):
    return next((n for n in nodes(root) if n.getRoleName() == role and n.name == name), None)


def press(node):
    node.queryAction().doAction(actions(node).index("Press"))


def check_view(win, view, buttons=()):
    seen = {}
    for n in nodes(win):
        role = n.getRoleName()
        if role in CONTROLS and has(n, pyatspi.STATE_FOCUSABLE):
            check(n.name.strip() != "", f"{view}: a {role} without a name")
            check(n.name not in seen, f"{view}: two controls named {n.name!r}")
            # A command that waits for input (disabled) offers no action until then.
            check(role not in ("push button", "page tab") or "Press" in actions(n) or not has(n, pyatspi.STATE_ENABLED),
                  f"{view}: {n.name!r} cannot be pressed")
            seen[n.name] = role
    for name in buttons:
        check(seen.get(name) == "push button", f"{view}: no push button {name!r}")


# The registry must be up before the program starts, or the program is not listed.
subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply", "/org/a11y/bus",
                "org.a11y.Bus.GetAddress"], check=True, stdout=subprocess.DEVNULL)
pyatspi.Registry.getDesktop(0).childCount
program = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                                   QT_QPA_PLATFORM="xcb"))


def windows():
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == program.pid)
    return [w for w in (app.getChildAtIndex(i) for i in range(app.childCount)) if has(w, pyatspi.STATE_SHOWING)]


def window(name):
    return wait_for(lambda: next((w for w in windows() if w.name == name), None), "window " + name)


def gone(name):
    wait_for(lambda: all(w.name != name for w in windows()), name + " to close")


def activate(win, title):
    """No window manager runs: give the window the input focus as one would."""
    for wid in subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(program.pid)],
                              capture_output=True, text=True).stdout.split():
        if subprocess.run(["xdotool", "getwindowname", wid], capture_output=True, text=True).stdout[:-1] == title:
            subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)
    wait_for(lambda: has(win, pyatspi.STATE_ACTIVE), title + " active")


def keys(*k):
    subprocess.run(["xdotool", "key", "--delay", "30", *k], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)


def expect_focus(win, name):
    wait_for(lambda: next(n for n in nodes(win) if has(n, pyatspi.STATE_FOCUSED)).name == name, "the focus on " + name)


def field_text(win, name):
    return find(win, "text", name).queryText().getText(0, -1)


def results(win):
    """Result labels by what they describe: "配偶者 各人の納付税額" -> "8,525"."""
    return {n.description: n.name for n in nodes(win) if n.getRoleName() == "label" and n.description}


try:
    menu = window("メインメニュー")
    check_view(menu, "menu", ["相続税計算", "係数計算", "About", "終 了"])

    # The keyboard alone: the worked example from the menu to the closed window.
    activate(menu, " ")
    expect_focus(menu, "相続税計算")
    keys("Return")
    sheet = window("相続税計算シート")
    activate(sheet, "相続税計算シート")
    expect_focus(sheet, "配偶者 相続・遺贈で取得した額")
    boxes = ["配偶者の入力をクリア", "相続人2の入力をクリア", "相続人3の入力をクリア", "相続人4の入力をクリア",
             "受遺者の入力をクリア", "相続分をクリア", "未成年者の年数をクリア", "すべてクリア"]
    check_view(sheet, "tax window", boxes + ["画面を印刷", "納付税額計算"])
    for person in ([250000, 20000, 5000, 8000, 2000, 0], [80000, 0, 0, 0, 0, 5000], [40000, 15000, 5000, 0, 0, 0],
                   [0] * 6, [30000, 0, 0, 0, 0, 0]):
        for amount in person:
            if amount:
                type_text(str(amount))
            keys("Return")
    expect_focus(sheet, "法定相続人数")
    keys("BackSpace", "4", "Return", "1", "Return", "2", "Return")
    for _ in range(3):
        keys("1", "Return", "6", "Return")
    keys("Return", "Return")
    for years in ("0", "5", "0"):
        keys("BackSpace", years, "Return")
    check(field_text(sheet, "配偶者 相続・遺贈で取得した額") == "250,000", "the first amount is not 250,000")
    expect_focus(sheet, "納付税額計算")
    keys("Return")
    taxes = {"配偶者 各人の納付税額": "8,525", "相続人 2 各人の納付税額": "15,500",
             "相続人 3 各人の納付税額": "9,000", "受遺者 各人の納付税額": "6,510"}
    wait_for(lambda: all(results(sheet).get(k) == v for k, v in taxes.items()), "the worked example's taxes")

    # From "納付税額計算" the Tab key runs down the command column, the law's drop-down (read
    # by its current law), then the clearing boxes.
    law = "[平成20年5月1日現在法令等]"
    for name in ["相続開始後の手続き", "相続税計算シート", "シートHELP", "閉じる", law] + boxes:
        keys("Tab")
        expect_focus(sheet, name)
    keys("space")
    wait_for(lambda: all(results(sheet)[k] == "0" for k in taxes), "taxes of 0 after AC")
    check(field_text(sheet, "配偶者 相続・遺贈で取得した額") == "0", "AC left the first amount")

    keys("F1")
    helper = window("相続税の用語と解説")
    activate(helper, "相続税の用語と解説")
    captions = ["計算シートHELP", "用語の解説", "相続時精算課税制度", "配偶者の税額の軽減", "遺言", "代償分割と協議書"]

    def selected_tab():
        strip = next(n for n in nodes(helper) if n.getRoleName() == "page tab list")
        tabs = [strip.getChildAtIndex(i) for i in range(strip.childCount)]
        check([t.getRoleName() for t in tabs] == ["page tab"] * 6, "the help tabs are not six page tabs")
        chosen = [t.name for t in tabs if has(t, pyatspi.STATE_SELECTED)]
        check(len(chosen) == 1, f"selected help tabs: {chosen}")
        return chosen[0]

    expect_focus(helper, captions[0])
    for page, caption in enumerate(captions):
        wait_for(lambda: selected_tab() == caption, "page " + caption)
        check_view(helper, "help page " + caption, ["閉じる"])
        if page < 5:
            keys("Right")  # also from the end of the first row into the second
    keys("ctrl+Next")
    wait_for(lambda: selected_tab() == captions[0], "Ctrl+PageDown round to the first page")
    keys("ctrl+shift+Tab")
    wait_for(lambda: selected_tab() == captions[5], "Ctrl+Shift+Tab back to the last page")
    keys("Escape")
    gone("相続税の用語と解説")
    activate(sheet, "相続税計算シート")
    keys(*["shift+Tab"] * 9)  # from "すべてクリア" back up to "閉じる"
    expect_focus(sheet, "閉じる")
    keys("Return")
    gone("相続税計算シート")

    # The other views, opened by the reader's press action.
    press(find(menu, "push button", "相続税計算"))
    sheet = window("相続税計算シート")
    press(find(sheet, "push button", "相続開始後の手続き"))
    wait_for(lambda: not find(sheet, "text", "配偶者 相続・遺贈で取得した額"), "the sheet page to be parked")
    check_view(sheet, "tax window, procedures chart", ["相続開始後の手続き", "画面を印刷"])
    press(find(sheet, "push button", "二次相続"))
    study = window("二次相続シミュレーション")
    check_view(study, "study window", ["最も少ない割合にする", "閉じる"])
    table = wait_for(lambda: find(study, "table", "配偶者の取得割合ごとの税額表（千円）"), "the study's table").queryTable()
    cells = [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)] for r in (0, 10, 11, 12, 13)]
    check(cells == [["0 %", "0", "0", "0", "0"], ["100 %", "0", "0", "0", "0"], ["法定相続分 0.0 %"] + ["0"] * 4,
                    ["最小 0.0 %"] + ["0"] * 4, ["選択 0.0 %"] + ["0"] * 4], f"the study's table reads {cells}")
    check(table.getColumnHeader(4).name == "合計", "the study's last column is not 合計")

    # The family and the assets, from the sheet page's own commands.
    press(find(sheet, "push button", "相続税計算シート"))
    for title, buttons, views in (("相続人の判定", ["シートへ反映", "閉じる"], [("tree", "家族")]),
                                  ("財産の内訳", ["行を追加", "行を削除", "シートへ反映", "閉じる"],
                                   [("table", "各人の金額"), ("table", "財産・債務・贈与の明細")])):
        press(wait_for(lambda: find(sheet, "push button", title), "the command " + title))
        other = window(title)
        check_view(other, title + " window", buttons)
        for role, name in views:
            check(find(other, role, name) is not None, f"{title}: no {role} named {name}")

    press(find(menu, "push button", "係数計算"))
    coefficients = window("基本係数")
    strip = wait_for(lambda: next(n for n in nodes(coefficients) if n.getRoleName() == "page tab list"), "tabs")
    tabs = [t for t in (strip.getChildAtIndex(i) for i in range(strip.childCount)) if t.getRoleName() == "page tab"]
    check(len(tabs) == 6, f"{len(tabs)} coefficient tabs")
    for tab in tabs + tabs[:1]:
        press(tab)
        # Fields are named after their tab: "終価係数 元利合計の計算 運用金額".
        wait_for(lambda: any(n.name.startswith(tab.name + " ") for n in nodes(coefficients)), "tab " + tab.name)
        check_view(coefficients, "coefficient tab " + tab.name, ["画面を印刷", "閉じる"])
    check_view(coefficients, "coefficient tab 0",
               ["元利合計の計算をクリア", "物価上昇率の計算をクリア", "計算（元利合計）", "計算（物価上昇率）"])
    check(find(coefficients, "text", "終価係数 物価上昇率の計算 年数") is not None, "no field 終価係数 物価上昇率の計算 年数")

    press(find(menu, "push button", "About"))
    check_view(window("ﾊﾞｰｼﾞｮﾝ情報"), "About box", ["OK"])
except (AssertionError, StopIteration) as e:
    check(False, str(e) or "a control is missing")
finally:
    program.kill()
    program.wait()

print("accessibility:", "ok" if not failures else f"{len(failures)} failures")
sys.exit(1 if failures else 0)
