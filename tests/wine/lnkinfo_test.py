#!/usr/bin/env python3
# Shortcuts written through the real Win32 calls under wine64, on drives of the test's own (fixed, CD-ROM,
# removable; with and without label and serial), read back by liblnk's lnkinfo.
# Arguments: lnk_request.exe, a work folder for the prefix and the drives.
import os, re, shutil, subprocess, sys

WINE_RUN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "wine-run")
WRITTEN = 1000000000  # the targets' last write, which lnkinfo shows as below
SHOWN = "Sep 09, 2001 01:46:40.000000000 UTC"
# letter: Wine's drive type, label and serial files ("": none), a target there and its shortcut, and what
# lnkinfo reads back besides these: drive type code, serial, item names
DRIVES = {
    "t": ("hd", "VANTDISK", "1A2B3C4D", "T:\\Tools\\app.exe", "T:\\app.lnk", 3, 0x1A2B3C4D, ["Tools", "app.exe"]),
    "u": ("cdrom", "CDVOL", "0BADF00D", "U:\\setup.exe", "T:\\setup.lnk", 5, 0x0BADF00D, ["setup.exe"]),
    "v": ("floppy", "", "DEADBEEF", "V:\\データ\\表計算.txt", "V:\\表計算.lnk", 2, 0xDEADBEEF, ["データ", "表計算.txt"]),
    "w": ("hd", "", "", "W:\\dir\\", "T:\\dir.lnk", 3, 0x57000000, ["dir"]),  # no serial: the letter in the top byte
}

tool, work = sys.argv[1], os.path.abspath(sys.argv[2])
env = dict(os.environ, WINEPREFIX=os.path.join(work, "prefix"))
unix = lambda path: os.path.join(work, "drives", path[0].lower(), *path[3:].split("\\"))
shutil.rmtree(os.path.join(work, "drives"), ignore_errors=True)
for letter, (kind, label, serial, target, *_) in DRIVES.items():  # the first Wine call makes the prefix
    subprocess.run([WINE_RUN, "reg", "add", "HKLM\\Software\\Wine\\Drives", "/v", letter + ":", "/d", kind, "/f"],
                   env=env, check=True, capture_output=True)
    os.makedirs(os.path.dirname(unix(target)))
    if not target.endswith("\\"):
        open(unix(target), "wb").close()
    os.utime(unix(target), (0, WRITTEN))  # last access apart from last write (Wine gives creation as write)
    for name, text in ((".windows-label", label), (".windows-serial", serial)):
        if text:
            open(unix(letter + ":\\" + name), "w").write(text)
    subprocess.run(["ln", "-sfn", unix(letter + ":\\"), os.path.join(work, "prefix", "dosdevices", letter + ":")], check=True)
subprocess.run([shutil.which("wineserver") or "/usr/lib/wine/wineserver", "-k"], env=env)  # drive types apply now
open(unix("T:\\dir.lnk"), "w").close()  # the shortcut of a folder replaces a file
requests = [path for drive in DRIVES.values() for path in drive[3:5]]  # target, shortcut, ...
results = subprocess.run([WINE_RUN, tool, *requests], env=env, check=True, capture_output=True).stdout.split()
failures = []
for drive, result in zip(DRIVES.values(), results, strict=True):
    _, label, _, target, link, code, serial, names = drive
    out = subprocess.run(["lnkinfo", "-c", "windows-932", unix(link)], capture_output=True).stdout.decode()
    fields = dict(re.findall(r"^\t(\S[^:\t]*?)\s*: ?(.*)$", out, re.M)[::-1])  # the first of a name counts
    got = (result, fields.get("Local path"), fields.get("Drive type", "").split("(")[-1], fields.get("Volume label"),
           fields.get("Drive serial number"), fields.get("Modification time"), re.findall(r"^\t\tName\t+: (.*)$", out, re.M))
    if got != (b"-1", target, f"{code})", label, f"0x{serial:08x}", SHOWN, names):
        failures.append(f"{link}: lnkinfo read {got}, written {(target, code, label, hex(serial), SHOWN, names)}")
sys.exit("\n".join(failures) or None)
