#!/usr/bin/env python3
"""Checks Windows programs: the CPU they are built for, that they import only
system DLLs, and that they carry exactly one manifest.

    pe-check.py <x86-64|i686> <file.exe>...
"""
import struct
import sys

SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
    "shell32.dll", "advapi32.dll", "ole32.dll", "shlwapi.dll", "msvcrt.dll",
}
MACHINES = {"x86-64": 0x8664, "i686": 0x14C}
RT_MANIFEST = 24


class Pe:
    def __init__(self, path):
        self.data = open(path, "rb").read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("not an MZ file")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        self.machine, nsections = struct.unpack_from("<HH", d, pe + 4)
        opt_size = struct.unpack_from("<H", d, pe + 20)[0]
        opt = pe + 24
        magic = struct.unpack_from("<H", d, opt)[0]
        dirs = opt + (112 if magic == 0x20B else 96)
        self.dirs = [struct.unpack_from("<II", d, dirs + 8 * i) for i in range(16)]
        sec = opt + opt_size
        self.sections = []
        for i in range(nsections):
            vsize, va, rsize, raw = struct.unpack_from("<IIII", d, sec + 40 * i + 8)
            self.sections.append((va, max(vsize, rsize), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("address outside the sections")

    def cstring(self, off):
        return self.data[off:self.data.index(b"\0", off)].decode("ascii", "replace")

    def imports(self):
        rva, size = self.dirs[1]
        names, off = [], self.offset(rva) if rva else None
        while off is not None:
            name_rva = struct.unpack_from("<I", self.data, off + 12)[0]
            if name_rva == 0:
                break
            names.append(self.cstring(self.offset(name_rva)))
            off += 20
        return names

    def resource_count(self, type_id):
        rva, size = self.dirs[2]
        if not rva:
            return 0
        base = self.offset(rva)

        def entries(off):
            named, ids = struct.unpack_from("<HH", self.data, off + 12)
            for i in range(named + ids):
                yield struct.unpack_from("<II", self.data, off + 16 + 8 * i)

        def leaves(off):
            count = 0
            for _, target in entries(off):
                if target & 0x80000000:
                    count += leaves(base + (target & 0x7FFFFFFF))
                else:
                    count += 1
            return count

        for name, target in entries(base):
            if name == type_id and target & 0x80000000:
                return leaves(base + (target & 0x7FFFFFFF))
        return 0


def main():
    arch, files = sys.argv[1], sys.argv[2:]
    failures = 0
    for path in files:
        pe = Pe(path)
        problems = []
        if pe.machine != MACHINES[arch]:
            problems.append("built for machine 0x%x, not %s" % (pe.machine, arch))
        foreign = [n for n in pe.imports() if n.lower() not in SYSTEM_DLLS]
        if foreign:
            problems.append("imports non-system DLLs: " + ", ".join(foreign))
        manifests = pe.resource_count(RT_MANIFEST)
        if manifests != 1:
            problems.append("has %d manifests, not exactly one" % manifests)
        status = "ok" if not problems else "FAILED: " + "; ".join(problems)
        print("%s (%s): imports %s; %s" % (path, arch, ", ".join(pe.imports()), status))
        failures += bool(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
