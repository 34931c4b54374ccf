"""Reads the accessibility tree (AT-SPI, on the session's message bus) as a
screen reader does, and prints each control of one program as a line
"role<TAB>name", in the tree's order. Waits up to a minute for the program
to appear with a control of the given role.
  atspi_names.py PROGRAM-NAME ROLE
"""
import sys
import time

import dbus

ACCESSIBLE = 'org.a11y.atspi.Accessible'


def main():
    program, wanted = sys.argv[1], sys.argv[2]
    session = dbus.SessionBus()
    address = session.get_object('org.a11y.Bus', '/org/a11y/bus').GetAddress(
        dbus_interface='org.a11y.Bus')
    bus = dbus.bus.BusConnection(address)

    def node(ref):
        return bus.get_object(ref[0], ref[1], introspect=False)

    def name(ref):
        return str(node(ref).Get(ACCESSIBLE, 'Name', dbus_interface='org.freedesktop.DBus.Properties'))

    def role(ref):
        return str(node(ref).GetRoleName(dbus_interface=ACCESSIBLE))

    def children(ref):
        return [(str(c[0]), str(c[1])) for c in node(ref).GetChildren(dbus_interface=ACCESSIBLE)]

    def walk(ref, lines):
        for child in children(ref):
            lines.append((role(child), name(child)))
            walk(child, lines)

    root = ('org.a11y.atspi.Registry', '/org/a11y/atspi/accessible/root')
    deadline = time.monotonic() + 60
    while True:
        try:
            for app in children(root):
                if name(app) != program:
                    continue
                lines = []
                walk(app, lines)
                if any(r == wanted for r, _ in lines):
                    for r, n in lines:
                        print(f'{r}\t{n}')
                    return 0
        except dbus.exceptions.DBusException:
            pass  # the program is still registering its windows
        if time.monotonic() > deadline:
            print(f'{program}: no {wanted} in the accessibility tree', file=sys.stderr)
            return 1
        time.sleep(0.2)


if __name__ == '__main__':
    sys.exit(main())
