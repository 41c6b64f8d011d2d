# Sourced by the scripts: a Wine prefix that behaves the same on every machine.
#
# quenda_wine_prefix DIR [keep]  makes DIR the prefix (a fresh one unless "keep" is given and it
#                                exists), quiet, without crash dialogs, with fonts for the dialog.
# quenda_wine_cjk_fonts          lets Latin faces show Chinese text (called by quenda_wine_prefix).
# quenda_wine_stop               ends the prefix's wineserver.

quenda_wine_prefix() {
  local dir=$1 keep=${2:-}
  export WINEPREFIX=$dir
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ "$keep" = keep ] && [ -f "$dir/system.reg" ]; then
    return 0
  fi
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # No crash dialog: a crashing test must fail, not wait for a click.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # The dialog's faces: Arial comes from fonts-liberation; the Chinese face maps to WenQuanYi.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '新細明體' /t REG_SZ \
    /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'PMingLiU' /t REG_SZ \
    /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  quenda_wine_cjk_fonts
  # The caption buttons' glyphs (the close box's cross) come from Marlett, which fonts-wine ships
  # but which this Wine finds only in the prefix's own font folder; without it the box shows "r".
  cp /usr/share/wine/fonts/marlett.ttf "$dir/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
}

# Controls that keep Arial show Chinese text too (the Chinese frame caption and contact text).
# Windows finds the glyphs through font linking (GDI) and Uniscribe's fallback face (SimSun, for
# edit controls); give Wine both routes to WenQuanYi. Arial itself is Liberation Sans here.
quenda_wine_cjk_fonts() {
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v 'Liberation Sans' /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'SimSun' /t REG_SZ \
    /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
}

quenda_wine_stop() {
  wineserver -k 2>/dev/null || true
}
