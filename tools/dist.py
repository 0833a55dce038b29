"""make dist: one release archive per Windows build, and their SHA256SUMS.

    dist.py SOURCE_DIR OUT_DIR

Writes OUT_DIR/orvanta-VERSION-windows-x86.zip (build/orvanta.exe) and
...-x64.zip (build/x64/orvanta.exe), each holding the program, a short
text for a Windows user (docs/windows-readme.txt, with CR LF; its @MENU@
is the menu's items and shortcuts, read from res/menu.def) and the tape
file's description (docs/tape-format.md), and
OUT_DIR/SHA256SUMS over both. VERSION is the file version written once in
res/orvanta.rc. The archives are reproducible: entries in a fixed order,
with a fixed time (the commit's, so that it still means something) and
fixed attributes, so two builds of one commit give the same bytes.
"""
import hashlib
import os
import re
import subprocess
import sys
import time
import zipfile

BUILDS = (("x86", "build/orvanta.exe"), ("x64", "build/x64/orvanta.exe"))
README_NAME = "README.txt"
FORMAT_NAME = "TAPE-FORMAT.txt"  # docs/tape-format.md, where README.txt points


def read_version(source):
    with open(os.path.join(source, "res", "orvanta.rc"), encoding="utf-8") as f:
        m = re.search(r"^#define ORVANTA_VERSION\s+(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", f.read(), re.M)
    if not m:
        sys.exit("dist: no ORVANTA_VERSION in res/orvanta.rc")
    return ".".join(m.groups())


def menu_lines(source):
    """The menu's items with their shortcuts, shown and unshown, as the
    program reads them from res/menu.def; the zoom's factors, which have
    none, left out."""
    item = re.compile(r'^MENU_ITEM\(\s*\d+,\s*\w+,\s*"([^"]*)",\s*"([^"]*)"')
    lines = []
    with open(os.path.join(source, "res", "menu.def"), encoding="utf-8") as f:
        for row in f:
            m = item.match(row)
            if not m:
                continue
            name, _, shown = m.group(1).partition("\\t")
            keys = ", ".join(k for k in (shown, m.group(2)) if k)
            if keys or not name.startswith("&"):  # "&1배"...: a factor
                lines.append(f"  {keys:<22}{re.sub(r'[(]&.[)]|&', '', name)}".rstrip())
    return "\n".join(lines)


def entry_time(source):
    """The commit's time (UTC), or a fixed day outside a checkout."""
    try:
        stamp = int(subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                                   capture_output=True, text=True, check=True).stdout)
    except (OSError, ValueError, subprocess.CalledProcessError):
        stamp = 1767225600  # 2026-01-01
    t = time.gmtime(max(stamp, 315532800))  # zip times start in 1980
    return t[:5] + (t[5] // 2 * 2,)


def with_crlf(text):
    """Text as Windows editors expect it: UTF-8, lines ended by CR LF."""
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def add(archive, name, data, when):
    info = zipfile.ZipInfo(name, date_time=when)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS: no Unix owner or mode in the archive
    info.external_attr = 0x20  # FILE_ATTRIBUTE_ARCHIVE
    archive.writestr(info, data, compresslevel=9)


def main():
    source, out = sys.argv[1], sys.argv[2]
    version = read_version(source)
    when = entry_time(source)
    with open(os.path.join(source, "docs", "windows-readme.txt"), encoding="utf-8") as f:
        readme = f.read().replace("@MENU@", menu_lines(source))
    readme = with_crlf(readme)
    with open(os.path.join(source, "docs", "tape-format.md"), encoding="utf-8") as f:
        tape_format = with_crlf(f.read())
    os.makedirs(out, exist_ok=True)
    sums = []
    for arch, program in BUILDS:
        name = f"orvanta-{version}-windows-{arch}.zip"
        folder = name[:-4]
        with open(os.path.join(source, program), "rb") as f:
            exe = f.read()
        path = os.path.join(out, name)
        with zipfile.ZipFile(path + ".part", "w") as archive:
            add(archive, f"{folder}/orvanta.exe", exe, when)
            add(archive, f"{folder}/{README_NAME}", readme, when)
            add(archive, f"{folder}/{FORMAT_NAME}", tape_format, when)
        os.replace(path + ".part", path)
        with open(path, "rb") as f:
            sums.append(f"{hashlib.sha256(f.read()).hexdigest()}  {name}\n")
        print(f"dist: {path}")
    with open(os.path.join(out, "SHA256SUMS"), "w", encoding="ascii", newline="\n") as f:
        f.writelines(sums)


if __name__ == "__main__":
    main()
