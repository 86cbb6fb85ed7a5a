#!/usr/bin/env bash
# Installs the build into an empty prefix, as `cmake --install` does for a user, and checks it
# there: the files, the program started from elsewhere, the menu entry and metainfo as the
# desktop's own validators see them, and the man page naming the prefix's data folder.
#   tst_installed_tree.sh BUILD_DIR
set -euo pipefail
build=${1:?BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d "${TMPDIR:-/tmp}/telqar-prefix.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
"$here/../../packaging/check-installed.sh" "$prefix" "$here/sample-drive.csv"

id=org.telqar.logger
desktop-file-validate "$prefix/share/applications/$id.desktop"
# --no-net: the validator would otherwise try to reach the URLs in the file.
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml"

page=$(gzip -dc "$prefix/share/man/man1/telqar-logger.1.gz")
if grep -q '@[A-Z_]*@' <<<"$page"; then
  echo "FAIL: the man page keeps a placeholder" >&2
  exit 1
fi
grep -qF "$prefix/share/telqar-logger" <<<"$page" \
  || { echo "FAIL: the man page does not name $prefix/share/telqar-logger" >&2; exit 1; }
echo "menu entry, metainfo and man page: valid"
