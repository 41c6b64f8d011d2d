#!/usr/bin/env python3
"""quenda.com /check and /status /json under Wine, through cmd as a script runs them.

Each case prepares the registry (a .reg file imported with regedit, or reg.exe for the 32-bit
view, so that Wine's own redirection puts the copy where a 32-bit tool's lands), then checks the
exit code and lines of /check and the JSON of /status /json, read by Python's json module.

Usage: readiness_wine_test.py BIN_DIR   (WINEPREFIX names the prefix the other Wine tests use)
"""
import json
import os
import subprocess
import sys
import tempfile

BIN = sys.argv[1]
WINLOGON = r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon"
POLICIES = r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Policies\System"
RUN = r"HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
INTERNATIONAL = r"HKEY_CURRENT_USER\Control Panel\International"
PATH_WINLOGON = r"HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon" + "\\"
PATH_WINLOGON32 = r"HKLM\SOFTWARE\WOW6432Node\Microsoft\Windows NT\CurrentVersion\Winlogon" + "\\"
PASSWORD = "pa$$-never-shown"
# A user name that needs every kind of escape: a quote, a backslash, control characters and
# characters beyond ASCII (within code page 1252, where the test prefix reads it unchanged).
USER = 'k"i\\o\ts\nk \u00e9\u20ac'
failures = 0


def fail(message):
    global failures
    failures += 1
    print("FAILED: " + message, file=sys.stderr)


def check(what, actual, expected):
    if actual != expected:
        fail(f"{what}: {actual!r}, expected {expected!r}")


def text(value):
    """A REG_SZ in .reg syntax, as UTF-16 bytes: any character at all."""
    data = (value + "\0").encode("utf-16-le")
    return "hex(1):" + ",".join(f"{b:02x}" for b in data)


def store(values):
    """Imports {(key, name): data} with regedit; data None deletes the value."""
    lines = ["Windows Registry Editor Version 5.00", ""]
    for (key, name), data in values.items():
        lines += [f"[{key}]", f'"{name}"=' + ("-" if data is None else data), ""]
    with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as file:
        file.write("\ufeff".encode("utf-16-le") + "\r\n".join(lines).encode("utf-16-le"))
    # Wine's regedit has been seen to fail once, at random, on a busy machine: try again.
    for attempt in range(3):
        if subprocess.run(["wine", "regedit", "/s", file.name]).returncode == 0:
            break
        if attempt == 2:
            fail("regedit could not import " + file.name)
    os.unlink(file.name)


def quenda(*switches):
    """Runs quenda through cmd in its folder; returns the exit code and standard output."""
    done = subprocess.run(["wine", "cmd", "/c", "quenda " + " ".join(switches)], cwd=BIN,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return done.returncode, done.stdout


# A machine that will log on by itself, with nothing else in the way.
READY = {(WINLOGON, "AutoAdminLogon"): text("1"),
         (WINLOGON, "DefaultUserName"): text(USER),
         (WINLOGON, "DefaultPassword"): text(PASSWORD),
         (WINLOGON, "DefaultDomainName"): text("CORP"),
         (WINLOGON, "Quenda"): None,
         (WINLOGON, "AutoLogonCount"): None,
         (WINLOGON, "LegalNoticeCaption"): None,
         (POLICIES, "LegalNoticeText"): None,
         (POLICIES, "EnableLUA"): "dword:00000000",
         (INTERNATIONAL, "Locale"): text("00000409"),
         (RUN, "Quenda"): None}
subprocess.run(["wine", "reg", "delete", WINLOGON, "/v", "AutoAdminLogon", "/f", "/reg:32"],
               stderr=subprocess.DEVNULL, stdout=subprocess.DEVNULL)

# /check: the exit code and the lines, from a ready machine through warnings to blockers.
cases = [
    ("ready", {}, 0, []),
    ("a count of starts left", {(WINLOGON, "AutoLogonCount"): "dword:00000002"}, 0,
     ["[Warning] " + PATH_WINLOGON + "AutoLogonCount"]),
    ("a count of 0 as text", {(WINLOGON, "AutoLogonCount"): text("0")}, 3,
     ["[Blocker] " + PATH_WINLOGON + "AutoLogonCount"]),
    ("a banner, Automatically under User Account Control",
     {(POLICIES, "LegalNoticeText"): text("Authorised use only"),
      (WINLOGON, "Quenda"): text("1"), (POLICIES, "EnableLUA"): "dword:00000001"}, 3,
     ["[Blocker] HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\"
      "LegalNoticeText", "[Warning] HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\"
      "System\\EnableLUA"]),
]
for label, changes, exit_code, paths in cases:
    store({**READY, **changes})
    code, output = quenda("/check")
    lines = output.decode("ascii").splitlines()
    check(label + ": exit code", code, exit_code)
    check(label + ": lines", [line.split(": ")[0] for line in lines], paths)

# A 32-bit tool's copy, written through Wine's redirection, is found where the report reads it.
store(READY)
subprocess.run(["wine", "reg", "add", WINLOGON, "/v", "AutoAdminLogon", "/d", "0", "/f",
                "/reg:32"], check=True, stdout=subprocess.DEVNULL)
code, output = quenda("/check")
check("32-bit copy", (code, output.decode("ascii").split(": ")[0]),
      (0, "[Warning] " + PATH_WINLOGON32 + "AutoAdminLogon"))
subprocess.run(["wine", "reg", "delete", WINLOGON, "/v", "AutoAdminLogon", "/f", "/reg:32"],
               check=True, stdout=subprocess.DEVNULL)

# /status /json: valid JSON whatever the stored texts hold, plain ASCII, never the password; the
# findings in the user's language.
for locale, count_text in (("00000409", "AutoLogonCount is 0"), ("00000404", "AutoLogonCount 為 0")):
    store({**READY, (INTERNATIONAL, "Locale"): text(locale),
           (WINLOGON, "AutoLogonCount"): "dword:00000000"})
    code, output = quenda("/status", "/json")
    check("status exit code", code, 0)
    if PASSWORD.encode() in output or any(byte > 0x7F for byte in output):
        fail("the JSON shows the password or is not plain ASCII")
    try:
        status = json.loads(output.decode("utf-8"))
    except ValueError as error:
        fail(f"not JSON ({error}): {output!r}")
        continue
    print(output.decode("ascii").strip())
    check("keys", list(status), ["computerName", "autoLogon", "userName", "domainName", "automatic",
                                 "runEntry", "passwordStored", "ready", "blockers", "warnings"])
    check("values", [status[key] for key in ("autoLogon", "userName", "domainName", "automatic",
                                               "runEntry", "passwordStored", "ready")],
          [True, USER, "CORP", False, None, "registry", False])
    check("blockers", [(b["value"], b["text"][:len(count_text)]) for b in status["blockers"]],
          [(PATH_WINLOGON + "AutoLogonCount", count_text)])
    check("warnings", status["warnings"], [])

store({**READY, (WINLOGON, "DefaultUserName"): None, (WINLOGON, "DefaultPassword"): None,
       (WINLOGON, "DefaultDomainName"): None, (WINLOGON, "AutoAdminLogon"): None})
print("readiness: all checks passed" if failures == 0 else f"readiness: {failures} failed")
sys.exit(1 if failures else 0)
