#!/usr/bin/env bash
# Makes the bookmark files that real browsers write, for the import tests:
# 25 folders of 3 links each (Chinese names, '&' in the addresses).
#   firefox-bookmarks.html  Firefox's own HTML export (written at its quit)
#   chromium-Bookmarks      a Chromium profile's Bookmarks file
# Needs firefox-esr and chromium; takes about a minute. Run it by hand and
# commit what it writes; the tests only read the files.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home"
mkdir -p "$HOME"

# Firefox: a new profile imports bookmarks.html at its first start and, told
# to, exports its bookmarks there again when it quits.
profile="$work/firefox"
mkdir -p "$profile"
python3 - "$profile/bookmarks.html" <<'PY'
import sys
out = ["<!DOCTYPE NETSCAPE-Bookmark-file-1>", "<DL><p>"]
for i in range(1, 26):
    out += [f"<DT><H3>文件夹 {i:02d}</H3>", "<DL><p>"]
    out += [f'<DT><A HREF="https://site{i:02d}-{j}.example.cn/path?a=1&amp;b={j}">链接 {i:02d}-{j}</A>'
            for j in range(1, 4)]
    out += ["</DL><p>"]
open(sys.argv[1], "w").write("\n".join(out + ["</DL><p>"]) + "\n")
PY
cat >"$profile/user.js" <<'PREFS'
user_pref("browser.places.importBookmarksHTML", true);
user_pref("browser.bookmarks.autoExportHTML", true);
user_pref("browser.shell.checkDefaultBrowser", false);
PREFS
firefox-esr --headless --no-remote --marionette --profile "$profile" about:blank \
  >"$work/firefox.log" 2>&1 &
firefox=$!
# Marionette's wire format: "<length>:<json>". Wait for the import, then quit.
python3 - <<'PY'
import json, socket, time
for _ in range(240):
    try:
        s = socket.create_connection(("127.0.0.1", 2828))
        break
    except OSError:
        time.sleep(0.5)
f = s.makefile("rb")
def read():
    n = b""
    while (c := f.read(1)) != b":":
        n += c
    return json.loads(f.read(int(n)))
def send(i, name, params):
    body = json.dumps([0, i, name, params]).encode()
    s.sendall(str(len(body)).encode() + b":" + body)
    return read()
read()
send(1, "WebDriver:NewSession", {"capabilities": {}})
time.sleep(10)
send(2, "Marionette:Quit", {"flags": ["eAttemptQuit"]})
PY
wait "$firefox"
grep -q 'ADD_DATE' "$profile/bookmarks.html"
cp "$profile/bookmarks.html" "$here/firefox-bookmarks.html"

# Chromium: an unpacked extension fills the bookmark bar when it is installed.
mkdir -p "$work/extension"
cat >"$work/extension/manifest.json" <<'JSON'
{"manifest_version": 3, "name": "fill", "version": "1", "permissions": ["bookmarks"],
 "background": {"service_worker": "fill.js"}}
JSON
cat >"$work/extension/fill.js" <<'JS'
chrome.runtime.onInstalled.addListener(async () => {
  for (let i = 1; i <= 25; i++) {
    const n = String(i).padStart(2, "0");
    const folder = await chrome.bookmarks.create({parentId: "1", title: "文件夹 " + n});
    for (let j = 1; j <= 3; j++)
      await chrome.bookmarks.create({parentId: folder.id, title: `链接 ${n}-${j}`,
                                     url: `https://site${n}-${j}.example.cn/path?a=1&b=${j}`});
  }
});
JS
chromium --headless --no-sandbox --disable-gpu --user-data-dir="$work/chromium" \
  --load-extension="$work/extension" about:blank >"$work/chromium.log" 2>&1 &
chromium=$!
bookmarks="$work/chromium/Default/Bookmarks"
for _ in $(seq 120); do
  [ -f "$bookmarks" ] && grep -q '链接 25-3' "$bookmarks" && break
  sleep 0.5
done
kill -TERM "$chromium"
wait "$chromium" || true
grep -q '链接 25-3' "$bookmarks"
cp "$bookmarks" "$here/chromium-Bookmarks"
echo "written: $here/firefox-bookmarks.html $here/chromium-Bookmarks"
