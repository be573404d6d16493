#!/usr/bin/python3
"""A screen reader for argv[1] s at most: the countdown's banner shows as a notification in a
dialog whose boxes are named and labelled by their captions, the focus on a named object."""
import sys

import pyatspi
from gi.repository import GLib

BOXES = {"CPU Load": ["CPU Load"], "Mouse": ["Key & Mouse"], "Key": [],
         "Fixed Time": ["Fixed Time"], "Status": ["Status"]}
failures = ["no alert"]

def labels(box):
    return [r.getTarget(i).name for r in box.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]

def shown(event):
    banner = event.source
    if event.detail1 != 1 or banner.getRole() != pyatspi.ROLE_NOTIFICATION:
        return
    if failures != ["no alert"]:
        return
    window = banner.parent
    children = [window.getChildAtIndex(i) for i in range(window.childCount)]
    boxes = {c.name: labels(c) for c in children if c.getRole() == pyatspi.ROLE_TEXT}
    focus = [c.name for c in children if c.getState().contains(pyatspi.STATE_FOCUSED)]
    failures[:] = [f"{what}: {seen!r}" for what, seen, right in [
        ("the alert", banner.name, banner.name.startswith("The Computer Will Power Off In ")),
        ("the window", window.getRoleName(), window.getRole() == pyatspi.ROLE_DIALOG),
        ("the boxes", boxes, all(boxes.get(name) == caps for name, caps in BOXES.items())),
        ("the focus", focus, focus and all(focus))] if not right]
    pyatspi.Registry.stop()

pyatspi.Registry.registerEventListener(shown, "object:state-changed:showing")
GLib.timeout_add_seconds(int(sys.argv[1]), pyatspi.Registry.stop)
print("listening", flush=True)
pyatspi.Registry.start()
print("\n".join(f"FAIL: {failure}" for failure in failures))
sys.exit(1 if failures else 0)
