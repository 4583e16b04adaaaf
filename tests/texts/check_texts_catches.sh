#!/usr/bin/env bash
# The text rules' checker on a small tree with one fault of each kind it must find, and the texts it
# must let pass (a quoted comment, a font's face name, a format whose comment lists its conversions).
# Usage: check_texts_catches.sh CHECKER
set -u
checker="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/app" "$tree/resources"
cat >"$tree/app/Page.cpp" <<'CODE'
// Shows "请稍候" while it works.
void Show() {
    Say("请稍候");  /* a "注释" is no text */
    SetFontName("宋体");
    Say("ok");
}
CODE
cat >"$tree/resources/Ids.h" <<'CODE'
#define IDS_FINE 100  // %s %lu
#define IDS_REORDERED 101  // %s %d
#define IDS_SAME_NUMBER 101
#define IDS_NO_TEXT 102
CODE
cat >"$tree/resources/Strings.rc" <<'CODE'
STRINGTABLE
BEGIN
    IDS_FINE "文件 %s  er = %lu，100%% 完成"
    IDS_REORDERED "第 %d 行：%s"
    IDS_SAME_NUMBER "x"
    IDS_UNNAMED "y"
END
CODE
report=$(perl "$checker" "$tree")
status=$?
expected=(
  '^app/Page.cpp:3: a text in the code: "请稍候"$'
  '^IDS_SAME_NUMBER and IDS_REORDERED share the number 101$'
  '^IDS_REORDERED: the text takes "%d %s", its identifier lists "%s %d"$'
  '^IDS_UNNAMED \(.*/resources/Strings.rc\) has no identifier$'
  '^IDS_NO_TEXT \(.*/resources/Ids.h\) has no text in a string table$'
  '^texts: 5 faults$'
)
fail=0
[ $status -eq 1 ] || { echo "exit $status, not 1"; fail=1; }
for line in "${expected[@]}"; do
  grep -qE -- "$line" <<<"$report" || { echo "missing: $line"; fail=1; }
done
if [ $fail -eq 0 ]; then
  echo "the checker finds each fault and nothing else"
else
  printf 'report was:\n%s\n' "$report"
fi
exit $fail
