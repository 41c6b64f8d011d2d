#!/usr/bin/env bash
# The MSI package under Wine, in a fresh prefix, with the commands the README gives for deploying
# Quenda: installed by a startup script that also turns the automatic logon on, upgraded by a
# newer package, configured again as Ansible would, removed; then installed and removed twice more
# with Run entries that removal must leave alone.
#
# Usage: package_test.sh QUENDA_MSI NEWER_MSI WORK_FOLDER
set -uo pipefail
msi=$1 newer=$2 work=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../../scripts/lib/wine.sh
source "$root/scripts/lib/wine.sh"

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
check() {  # check WHAT ACTUAL EXPECTED
  [ "$2" = "$3" ] || fail "$1: '$2', expected '$3'"
}

winlogon='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon'
run_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
uninstall='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
folder=drive_c/'Program Files'/Quenda
# The text of value NAME under KEY; nothing when it is missing.
value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"
}
settings() {
  for name in AutoAdminLogon DefaultUserName DefaultDomainName Quenda; do
    printf '%s=%s ' "$name" "$(value "$winlogon" $name)"
  done
  printf 'Run=%s' "$(value "$run_key" Quenda)"
}
password_is() {  # never printed
  [ "$(value "$winlogon" DefaultPassword)" = "$1" ] || fail "DefaultPassword differs"
}
product_code() {
  msiinfo export "$1" Property | tr -d '\r' | awk '$1 == "ProductCode" { print $2 }'
}

rm -rf "$work"
mkdir -p "$work/share"
cp "$msi" "$work/share/quenda.msi"
cp "$newer" "$work/share/quenda-next.msi"
printf 'kiosk-pw\r\n' >"$work/share/kiosk.txt"
# The Group Policy startup script of the README.
printf '%s\r\n' '@echo off' \
  'msiexec /i "%~dp0quenda.msi" /qn' \
  '"%ProgramFiles%\Quenda\quenda.com" /enable /user:kiosk /domain:CORP /automatic < "%~dp0kiosk.txt"' \
  >"$work/share/startup.cmd"
quenda_wine_prefix "$work/prefix"
trap quenda_wine_stop EXIT
cd "$work/share" || exit 1

wine cmd /c startup.cmd
check "startup script" "$?" 0
check "installed files" "$(cd "$WINEPREFIX/$folder" && echo *)" "quenda.com quenda.exe readme.txt readmetw.txt"
# Per machine; Wine puts the shortcut in the installing user's Start menu all the same.
find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Quenda.lnk' | grep -q . || fail "no Start-menu shortcut"
check "registered for the machine" \
  "$(wine reg query 'HKLM\Software\Classes\Installer\Products' 2>/dev/null | grep -c 'Products\\')" 1
# Program Files has a blank: the Run entry is quoted.
check "after the startup script" "$(settings)" \
  'AutoAdminLogon=1 DefaultUserName=kiosk DefaultDomainName=CORP Quenda=1 Run="C:\Program Files\Quenda\Quenda.exe"'
password_is kiosk-pw

wine msiexec /i quenda-next.msi /qn
check "upgrade" "$?" 0
check "older version gone" "$(value "$uninstall\\$(product_code quenda.msi)" DisplayName)" ""
check "newer version" "$(value "$uninstall\\$(product_code quenda-next.msi)" DisplayVersion)" \
  "$(msiinfo export quenda-next.msi Property | tr -d '\r' | awk '$1 == "ProductVersion" { print $2 }')"
check "files after the upgrade" "$(cd "$WINEPREFIX/$folder" && echo *)" "quenda.com quenda.exe readme.txt readmetw.txt"
# (Wine removes the older version without telling it that an upgrade does so, so its removal
# takes the Run entry here; the last step below checks what Windows does.)

# Ansible's win_command: the program started directly, the password as standard input without a
# line end.
printf '%s' 'ansible-pw' |
  wine 'C:\Program Files\Quenda\quenda.com' /enable /user:kiosk /domain:CORP /automatic
check "command line of the installed program" "$?" 0
check "after it" "$(settings)" \
  'AutoAdminLogon=1 DefaultUserName=kiosk DefaultDomainName=CORP Quenda=1 Run="C:\Program Files\Quenda\Quenda.exe"'
password_is ansible-pw

wine msiexec /x quenda-next.msi /qn
check "removal" "$?" 0
[ -e "$WINEPREFIX/$folder" ] && fail "the program's folder is still there"
check "after removal" "$(settings)" 'AutoAdminLogon=1 DefaultUserName=kiosk DefaultDomainName=CORP Quenda=1 Run='
password_is ansible-pw

wine msiexec /i quenda.msi /qn
wine reg add "$run_key" /v Quenda /d 'C:\Tools\Quenda.exe' /f >/dev/null
wine msiexec /x "$(product_code quenda.msi)" /qn
check "removal by product code" "$?" 0
check "a Run entry elsewhere" "$(value "$run_key" Quenda)" 'C:\Tools\Quenda.exe'

# Windows removes the older version of an upgrade with UPGRADINGPRODUCTCODE set; the entry stays.
wine msiexec /i quenda.msi /qn
wine reg add "$run_key" /v Quenda /d '"C:\Program Files\Quenda\Quenda.exe"' /f >/dev/null
wine msiexec /x quenda.msi /qn UPGRADINGPRODUCTCODE="$(product_code quenda-next.msi)"
check "removal as part of an upgrade" "$(value "$run_key" Quenda)" '"C:\Program Files\Quenda\Quenda.exe"'

[ "$failures" -eq 0 ] && echo "package: all checks passed"
exit $((failures > 0))
