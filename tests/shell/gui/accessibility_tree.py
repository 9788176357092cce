#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a screen reader finds: starts the program with the accessibility bus, opens every editor
# from the menus and walks the tree in English and in Simplified Chinese. Every visible control
# must have a name; a list, spin box or text field must not be named only by its value; no name
# (menu items included) carries a shortcut; the Chinese interface names nothing in English; the
# channel table is named and its first row header reads "0". Every list exposes its entry where
# a screen reader reads a list's value (its text, selected as a whole), and a list changed by
# key tells of its new entry (its text replaced).
#
# A control is identified by what a screen reader says for it: its name or, where it has none,
# the label it is labelled by. A combo box is the exception: its name is the entry it shows
# (that is how Qt presents one on this platform), so a screen reader names it by its label,
# and a combo box without one is named only by its value.
#
# Usage: accessibility_tree.py PROGRAM LANG_CSV [--report]
# Run it inside a private D-Bus session with an X server (accessibility_tree.sh does). Exit
# status 0: all checks held; 1: a check failed; 77: the accessibility bus cannot start.
import csv
import os
import re
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    print("FAIL: python3-pyatspi is not installed (make deps installs it)")
    sys.exit(1)

SKIP = 77
CONTROL_ROLES = {
    "push button", "toggle button", "check box", "radio button", "combo box", "text", "entry",
    "password text", "spin button", "table", "tree table", "list", "list box", "progress bar",
    "page tab", "slider", "tool bar", "status bar", "menu bar",
}
VALUE_ROLES = {"combo box", "text", "entry", "spin button"}
SHORTCUT = re.compile(r"\t|\b(Ctrl|Alt|Shift|Esc)\b|\+[A-Z0-9]$")
LANGUAGES = {"en": 2, "zh": 0}


def role_of(node):
    try:
        return node.getRoleName()
    except Exception:
        return ""


def showing(node):
    try:
        states = node.getState()
        return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)
    except Exception:
        return False


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return []


def value_text(node):
    """The text a field shows: its editable text or, for a list, the selected entry."""
    texts = []
    try:
        text = node.queryText()
        texts.append(text.getText(0, text.characterCount))
    except Exception:
        pass
    try:
        texts.append(node.queryValue().currentValue.__str__())
    except Exception:
        pass
    for child in children(node):
        if role_of(child) not in ("list", "menu"):
            texts.append(child.name or "")
            continue
        # A list's entries: the selected ones, and all of a short list.
        try:
            selection = child.querySelection()
            texts += [selection.getSelectedChild(i).name for i in range(selection.nSelectedChildren)]
        except Exception:
            pass
        if child.childCount <= 64:
            texts += [item.name or "" for item in children(child)]
    return [t.strip() for t in texts if t and t.strip()]


def list_entries(node):
    """The names of a list's entries (the children of its popup list)."""
    for child in children(node):
        if role_of(child) == "list":
            return [item.name or "" for item in children(child)]
    return []


def shown_entry(node):
    """A list's text with its selection: what a screen reader reads as the list's value."""
    try:
        text = node.queryText()
        whole = text.getText(0, text.characterCount)
        selected = text.getSelection(0) if text.getNSelections() > 0 else (0, 0)
        return whole, tuple(selected)
    except Exception:
        return None, None


def labels_of(node):
    """The names of the objects that label this one (its LABELLED_BY relation)."""
    names = []
    try:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                names += [relation.getTarget(i).name or "" for i in range(relation.getNTargets())]
    except Exception:
        pass
    return [name.strip() for name in names if name and name.strip()]


def presented_name(node, role):
    """What a screen reader names the control by; the empty text when nothing names it."""
    name = (node.name or "").strip()
    labels = " ".join(labels_of(node))
    if role == "combo box":
        return labels
    return name or labels


def window_of(path):
    for title in reversed(path):
        if title:
            return title
    return "?"


def walk(node, path, found, depth=0):
    if depth > 40:
        return
    role = role_of(node)
    if role in ("frame", "internal frame", "dialog", "window"):
        path = path + [node.name or role]
    if role in CONTROL_ROLES and showing(node):
        found.append((window_of(path), role, node))
    if role in ("table", "tree table", "menu", "combo box"):
        return  # cells, menu items and list entries are read through their owner
    for child in children(node):
        walk(child, path, found, depth + 1)


def menu_items(app):
    """Every item of the menu bar's menus, shown or not."""
    items = []

    def collect(node, depth):
        if depth > 10:
            return
        for child in children(node):
            if role_of(child) in ("menu item", "check menu item", "radio menu item", "menu"):
                if role_of(child) != "menu" or child.name:
                    items.append(child)
            collect(child, depth + 1)

    bar = find(app, lambda n: role_of(n) == "menu bar")
    if bar is not None:
        collect(bar, 0)
    if not items:
        raise RuntimeError("no menu items found")
    return items


def find_app(name, seconds):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            try:
                if app is not None and app.name == name:
                    return app
            except Exception:
                pass
        time.sleep(0.3)
    return None


def find(node, predicate, depth=0):
    if depth > 40:
        return None
    if predicate(node):
        return node
    if role_of(node) in ("table", "tree table", "combo box"):
        return None  # cells and list entries are no controls to look for
    for child in children(node):
        hit = find(child, predicate, depth + 1)
        if hit is not None:
            return hit
    return None


def language_rows(lang_csv, column):
    with open(lang_csv, encoding="utf-8") as handle:
        rows = list(csv.reader(handle))[1:]
    return [row[column] if column < len(row) else "" for row in rows]


def menu_caption(text):
    """A menu caption as the menu item's name: without the accelerator mark and key text."""
    text = text.split("\t")[0].replace("&", "")
    return re.sub(r"\(\w\)", "", text).replace("...", "").strip()


def editor_menu_rows(lang_csv):
    """The language rows of the Edit menu's editor items, by their names in the source."""
    tools = os.path.join(os.path.dirname(lang_csv), "..", "tools")
    sys.path.insert(0, tools)
    import lang_rows
    header = os.path.join(os.path.dirname(lang_csv), "..", "src", "model", "extra_rows.h")
    with open(header, encoding="utf-8") as handle:
        first, names = lang_rows.extra_row_names(handle.read())
    return [first + names.index("kFunctionsMenu"), first + names.index("kDtmfMenu")]


def open_editors(app, captions):
    for caption in captions:
        item = find(app, lambda n: role_of(n) == "menu item" and menu_caption(n.name) == caption)
        if item is None:
            raise RuntimeError("no menu item %r" % caption)
        action = item.queryAction()
        action.doAction(0)
        time.sleep(1.0)


def english_words(lang_csv):
    """The English texts that differ from their Chinese row: none may appear in Chinese names."""
    words = set()
    with open(lang_csv, encoding="utf-8") as handle:
        for row in list(csv.reader(handle))[1:]:
            if len(row) < 3:
                continue
            english = menu_caption(row[2])
            if english and english != menu_caption(row[0]) and re.search(r"[A-Za-z]{3}", english):
                words.add(english)
    return words


def check_tree(app, language, lang_csv, report):
    found = []
    walk(app, [], found)
    problems = []
    per_window = {}
    english = english_words(lang_csv) if language == "zh" else set()
    for window, role, node in found:
        name = presented_name(node, role)
        fault = None
        if role == "combo box" and not name:
            name = (node.name or "").strip()
            fault = "is named only by its value" if name else "has no name"
        elif not name:
            fault = "has no name"
        elif role in VALUE_ROLES and name in value_text(node):
            fault = "is named only by its value"
        elif SHORTCUT.search(name):
            fault = "carries a shortcut in its name"
        elif language == "zh" and not re.search(r"[\u3400-\u9fff]", name) and name in english:
            fault = "has an English name"
        if role == "combo box" and name:
            entry, selected = shown_entry(node)
            if not entry or entry not in list_entries(node) or selected != (0, len(entry)):
                problems.append("%s: combo box %r does not expose its entry %r as its selected text"
                                % (window, name, entry))
        total, faulty = per_window.get(window, (0, 0))
        per_window[window] = (total + 1, faulty + (1 if fault else 0))
        if fault:
            problems.append("%s: %s %r %s" % (window, role, name, fault))
    for item in menu_items(app):
        if SHORTCUT.search(item.name or ""):
            problems.append("menu item %r carries a shortcut in its name" % item.name)
        elif language == "zh" and menu_caption(item.name or "") in english and not re.search(r"[\u3400-\u9fff]", item.name):
            problems.append("menu item %r has an English name" % item.name)
    tables = [node for _, role, node in found if role == "table"]
    if not tables:
        problems.append("no channel table found")
    for table in tables:
        if not (table.name or "").strip():
            continue  # already reported above
        try:
            header = table.queryTable().getRowDescription(0)
        except Exception:
            header = None
        if header is None or header.strip() != "0":
            header_cell = None
            try:
                header_cell = table.queryTable().getRowHeader(0)
            except Exception:
                pass
            text = header_cell.name if header_cell is not None else header
            if (text or "").strip() != "0":
                problems.append("%s: row header 0 reads %r" % (table.name, text))
    if report:
        for window, (total, faulty) in sorted(per_window.items()):
            print("[%s] %s: %d of %d controls cannot be identified" % (language, window, faulty, total))
        print("[%s] all windows: %d of %d" % (language, sum(f for _, f in per_window.values()),
                                              sum(t for t, _ in per_window.values())))
    return problems


def check_list_change(app, process):
    """Down on a focused list must replace its text by the next entry, in an event a screen
    reader hears (the text inserted is the new entry)."""
    from gi.repository import GLib
    found = []
    walk(app, [], found)
    candidates = []
    for _, role, node in found:
        entries = list_entries(node)
        entry, _ = shown_entry(node)
        if role == "combo box" and entry in entries[:-1]:
            candidates.append((node, entries[entries.index(entry) + 1]))
    if not candidates:
        return ["no list to change found"]
    node, expected = candidates[0]
    inserted = []

    def heard(event):
        if event.source == node:
            inserted.append(event.any_data)

    for window in subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)],
                                 capture_output=True, text=True).stdout.split():
        subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True)
    node.queryComponent().grabFocus()
    pyatspi.Registry.registerEventListener(heard, "object:text-changed:insert")
    try:
        time.sleep(0.5)
        subprocess.run(["xdotool", "key", "Down"])
        end = time.time() + 5
        while time.time() < end and not inserted:
            GLib.MainContext.default().iteration(False)
            time.sleep(0.02)
    finally:
        pyatspi.Registry.deregisterEventListener(heard, "object:text-changed:insert")
    entry, _ = shown_entry(node)
    if inserted != [expected] or entry != expected:
        return ["list %r changed to %r by Down, heard %r (expected %r)"
                % (" ".join(labels_of(node)), entry, inserted, expected)]
    return []


def run_language(program, lang_csv, language, report):
    column = LANGUAGES[language]
    captions = language_rows(lang_csv, column)
    with tempfile.TemporaryDirectory() as home:
        config = os.path.join(home, "config", "radioprog")
        os.makedirs(config)
        with open(os.path.join(config, "radioprog.conf"), "w") as handle:
            handle.write("[interface]\nlanguage=%d\n" % column)
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_STATE_HOME=os.path.join(home, "state"), QT_ACCESSIBILITY="1",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", RADIOPROG_PORTS="",
                   QT_QPA_PLATFORM="xcb")
        process = subprocess.Popen([program], env=env, cwd=os.path.dirname(program))
        try:
            app = find_app(os.path.basename(program), 30)
            if app is None:
                print("FAIL: the program did not appear on the accessibility bus")
                return ["program not on the bus"]
            time.sleep(1.5)  # the channel table opens just after start-up
            open_editors(app, [menu_caption(captions[row]) for row in editor_menu_rows(lang_csv)])
            time.sleep(1.0)
            return check_tree(app, language, lang_csv, report) + check_list_change(app, process)
        finally:
            process.terminate()
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()


def accessibility_bus_address():
    """Asks the session bus to start the accessibility bus; raises when it cannot."""
    from gi.repository import Gio, GLib
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                              GLib.VariantType.new("(s)"), Gio.DBusCallFlags.NONE, 10000, None)
    address = reply.unpack()[0]
    if not address:
        raise RuntimeError("the accessibility bus has no address")
    return address


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    program, lang_csv = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    report = "--report" in sys.argv
    try:
        accessibility_bus_address()
        pyatspi.Registry.getDesktop(0)
    except Exception as error:
        print("SKIP: the accessibility bus cannot start: %s" % error)
        return SKIP
    problems = []
    for language in ("en", "zh"):
        problems += ["[%s] %s" % (language, p) for p in run_language(program, lang_csv, language, report)]
    for problem in problems:
        print(problem)
    print("%d problems" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
