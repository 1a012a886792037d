#!/usr/bin/env python3
"""Shortcuts written through the real Win32 calls under wine64, on drives of the test's own
(fixed, CD-ROM, removable; with and without label and serial), read back by liblnk's lnkinfo."""
import argparse
import os
import re
import shutil
import subprocess
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
WINE_RUN = os.path.join(HERE, "wine-run")
ARGS = None

# letter: (Wine drive type, label, serial text); None: no such file in the drive's root
DRIVES = {
    "t": ("hd", "VANTDISK", "1A2B3C4D"),
    "u": ("cdrom", "CDVOL", "0BADF00D"),
    "v": ("floppy", None, "DEADBEEF"),
    "w": ("hd", None, None),
}

# name: request fields (target, link, arguments, working folder, icon file, icon index, hotkey,
# show command, comment) and the files the drives hold beforehand
CASES = {
    "fixed_all_fields": dict(
        files=["t/Tools/app.exe"],
        request=["T:\\Tools\\app.exe", "T:\\links\\app.lnk", "--open \"a b\"", "T:\\Tools\\",
                 "C:\\windows\\system32\\shell32.dll", "2", "0x41", "3", "メモ帳を開きます。"]),
    "cdrom_target": dict(
        files=["u/setup.exe"],
        request=["U:\\setup.exe", "T:\\links\\setup.lnk", "", "", "", "0", "0x15A", "2", ""]),
    "removable_japanese_names": dict(
        files=["v/データ/表計算.txt"],
        request=["V:\\データ\\表計算.txt", "V:\\表計算.lnk", "", "V:\\データ\\", "", "-1", "0x100", "1",
                 "ソフト"]),
    "unlabelled_folder_target": dict(
        files=["w/dir/inner.txt"],
        request=["W:\\dir\\", "T:\\links\\dir.lnk", "", "", "W:\\dir\\inner.txt", "0", "0x39", "1", ""]),
}


def write_file(path, data):
    with open(path, "wb") as out:
        out.write(data)


def read_file(path):
    with open(path, "rb") as source:
        return source.read()


def unix_path(work, windows_path):
    letter, rest = windows_path[0].lower(), windows_path[3:]
    return os.path.join(work, "drives", letter, *[p for p in rest.split("\\") if p])


def wine(work, *command, env_extra=None):
    env = dict(os.environ, WINEPREFIX=os.path.join(work, "prefix"))
    env.update(env_extra or {})
    out = subprocess.run([WINE_RUN, *command], env=env, check=True, capture_output=True).stdout
    return out.decode("ascii", errors="replace")


def set_up_drives(work):
    shutil.rmtree(os.path.join(work, "drives"), ignore_errors=True)
    prefix = os.path.join(work, "prefix")
    for letter, (kind, label, serial) in DRIVES.items():  # the first call makes the prefix
        wine(work, "reg", "add", "HKLM\\Software\\Wine\\Drives", "/v", letter + ":", "/d", kind, "/f")
        root = os.path.join(work, "drives", letter)
        os.makedirs(root)
        if label is not None:
            write_file(os.path.join(root, ".windows-label"), label.encode())
        if serial is not None:
            write_file(os.path.join(root, ".windows-serial"), serial.encode())
        link = os.path.join(prefix, "dosdevices", letter + ":")
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(root, link)
    os.makedirs(os.path.join(work, "drives", "t", "links"))
    subprocess.run([shutil.which("wineserver") or "/usr/lib/wine/wineserver", "-k"], env=dict(os.environ, WINEPREFIX=prefix), check=False)


def lnkinfo(path):
    out = subprocess.run(["lnkinfo", "-c", "windows-932", path], check=True, capture_output=True).stdout
    fields = {}
    for line in out.decode("utf-8").splitlines():
        m = re.match(r"\t(\S[^:\t]*?)\s*:\s?(.*)$", line)
        if m and m.group(1) not in fields:
            fields[m.group(1)] = m.group(2)
    names = re.findall(r"^\t\tName\t+: (.*)$", out.decode("utf-8"), re.M)
    return fields, names


class LnkinfoReadsWhatWasWritten(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = ARGS.work
        set_up_drives(cls.work)
        for case in CASES.values():
            for f in case["files"]:
                os.makedirs(os.path.dirname(os.path.join(cls.work, "drives", f)), exist_ok=True)
                write_file(os.path.join(cls.work, "drives", f), b"x" * 1234)
        requests = os.path.join(cls.work, "requests.txt")
        with open(requests, "w", encoding="utf-8") as out:
            for case in CASES.values():
                out.write("\t".join(case["request"]) + "\n")
        z_path = "Z:" + requests.replace("/", "\\")
        results = wine(cls.work, ARGS.tool, z_path).split()
        cls.results = dict(zip(CASES, results))

    def written(self, name, link=None):
        request = CASES[name]["request"]
        self.assertEqual(self.results[name], "-1")
        path = unix_path(self.work, link or request[1])
        self.assertTrue(os.path.isfile(path), path)
        fields, names = lnkinfo(path)
        data = read_file(path)
        # lnkinfo misreports these two header fields; they are read from the bytes.
        show = int.from_bytes(data[0x3C:0x40], "little")
        hotkey = int.from_bytes(data[0x40:0x42], "little")
        return request, fields, names, show, hotkey

    def check_request(self, name, drive_type, label, serial):
        request, fields, names, show, hotkey = self.written(name)
        self.assertEqual(fields["Local path"], request[0])
        self.assertEqual(fields["Drive type"].split("(")[-1].rstrip(")"), str(drive_type))
        self.assertEqual(fields["Volume label"], label)
        self.assertEqual(int(fields["Drive serial number"], 16), serial)
        for key, value in (("Description", request[8]), ("Working directory", request[3]),
                           ("Command line arguments", request[2]), ("Icon location", request[4])):
            self.assertEqual(fields.get(key, ""), value, key)
        self.assertEqual(int(fields["Icon index"]), int(request[5]))
        self.assertEqual(show, int(request[7]))
        key = int(request[6], 0) & 0xFF
        self.assertEqual(hotkey, key | 0x600 if key else 0)
        return names

    def test_fixed_drive_with_every_field(self):
        names = self.check_request("fixed_all_fields", 3, "VANTDISK", 0x1A2B3C4D)
        self.assertEqual(names, ["Tools", "app.exe"])

    def test_cdrom_drive(self):
        names = self.check_request("cdrom_target", 5, "CDVOL", 0x0BADF00D)
        self.assertEqual(names, ["setup.exe"])

    def test_removable_drive_and_japanese_names(self):
        names = self.check_request("removable_japanese_names", 2, "", 0xDEADBEEF)
        self.assertEqual(names, ["データ", "表計算.txt"])

    def test_folder_target_on_volume_without_label(self):
        names = self.check_request("unlabelled_folder_target", 3, "", 0x57000000)
        self.assertEqual(names, ["dir"])
        _, fields, _, _, _ = self.written("unlabelled_folder_target")
        self.assertEqual(fields["File size"], "0 bytes")


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True, help="lnk_request.exe")
    parser.add_argument("--work", required=True, help="a folder for the prefix and the drives")
    ARGS, rest = parser.parse_known_args()
    ARGS.work = os.path.abspath(ARGS.work)
    os.makedirs(ARGS.work, exist_ok=True)
    unittest.main(argv=[sys.argv[0], *rest])
