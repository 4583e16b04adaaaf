#!/usr/bin/env bash
# Includes run one way, from the programs down: each folder may include only its own layer and the
# layers below it. Prints every include that climbs, naming the file and line, and fails then.
# Usage: check_layers.sh SOURCE_DIR
set -u
cd "${1:-.}" || exit 2

# Layer of each folder, bottom first. The programs on the medium other than the wizard (checker,
# deploy, uninstall) stand on the engine and the removal rules and never include a page or the frame.
declare -A layer=([common]=0 [framework]=0 [resources]=0 [config]=1 [usb]=1 [choices]=2 [engine]=3
                  [removal]=4 [pages]=5 [app]=6 [checker]=5 [deploy]=5 [uninstall]=5)

status=0
for folder in "${!layer[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file line text; do
    included=$(sed -n 's/^[[:space:]]*#include[[:space:]]*"\([^/"]*\)\/.*/\1/p' <<<"$text")
    [ -n "$included" ] || continue
    target=${layer[$included]:-}
    [ -n "$target" ] || continue
    if [ "$target" -gt "${layer[$folder]}" ] ||
       { [ "$folder" != "$included" ] && [ "${layer[$folder]}" -eq 5 ] && [ "$target" -eq 5 ]; }; then
      echo "$file:$line: $folder/ includes $included/ from a higher layer:${text#*#}"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' --include='*.c' '^[[:space:]]*#include "' "$folder")
done
[ $status -eq 0 ] && echo "includes run one way: programs, app, pages, removal, engine, choices, config/usb, common/framework"
exit $status
