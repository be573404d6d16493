#!/usr/bin/python3
"""A host's side of a StatusNotifierItem's exported menu: prints it as the host shows it, as
"caption|-|caption (disabled)"; with a caption after the item's service, chooses that item."""
import sys
import dbus

bus = dbus.SessionBus()
item = bus.get_object(sys.argv[1], "/StatusNotifierItem")
path = item.Get("org.kde.StatusNotifierItem", "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
menu = dbus.Interface(bus.get_object(sys.argv[1], path), "com.canonical.dbusmenu")
menu.AboutToShow(0)
shown = []
for entry, props, _ in menu.GetLayout(0, 1, [])[1][2]:
    label = "-" if props.get("type") == "separator" else str(props.get("label"))
    if props.get("visible", True):
        shown.append(label + ("" if props.get("enabled", True) else " (disabled)"))
    if sys.argv[2:] == [label]:
        menu.Event(entry, "clicked", "", 0)
print("|".join(shown))
