#!/bin/bash
# Checks the administrative templates: every file well-formed; every string
# and presentation the ADMX names in every language's ADML, and every
# control there for one of the ADMX's elements; every policy's key and value
# one that Corvane reads (the names of res/product.h); each policy in both
# classes, and the recommended ones only for values a user may change.
#   check-policy-templates.sh POLICIES_DIR PRODUCT_SH
set -u
dir=$1
# shellcheck source=/dev/null
. "$2"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
admx=$dir/corvane.admx
# The attribute values of an XPath, one per line.
values() { xmllint --xpath "$2" "$1" 2>/dev/null | sed 's/^ *[a-zA-Z]*="\(.*\)"$/\1/'; }
sorted() { tr ' ' '\n' | sed '/^$/d' | sort -u; }

mapfile -t languages < <(cd "$dir" && ls -d ./*/corvane.adml | cut -d/ -f2)
[ ${#languages[@]} -eq 10 ] || fail "${#languages[@]} languages: ${languages[*]}"
for file in "$admx" $(printf "$dir/%s/corvane.adml " "${languages[@]}"); do
  xmllint --noout "$file" || fail "$file is not well-formed"
done

strings=$(grep -o '\$(string\.[A-Za-z0-9_]*)' "$admx" | sed 's/^$(string\.\(.*\))$/\1/' | sorted)
presentations=$(grep -o '\$(presentation\.[A-Za-z0-9_]*)' "$admx" |
  sed 's/^$(presentation\.\(.*\))$/\1/' | sorted)
elements=$(values "$admx" "//*[local-name()='elements']/*/@id" | sorted)
for language in "${languages[@]}"; do
  adml=$dir/$language/corvane.adml
  defined=$(values "$adml" "//*[local-name()='string']/@id" | sorted)
  missing=$(comm -23 <(echo "$strings") <(echo "$defined"))
  [ -z "$missing" ] || fail "$language lacks the strings" $missing
  shown=$(values "$adml" "//*[local-name()='presentation']/@id" | sorted)
  [ "$shown" = "$presentations" ] || fail "$language's presentations differ from the ADMX's"
  controls=$(values "$adml" "//*[local-name()='presentation']/*/@refId" | sorted)
  [ "$controls" = "$elements" ] || fail "$language's controls are not the ADMX's elements"
done

# Each policy's key; its value's name (on the policy or its element) or its
# list's key.
lists="$KEYWORDS_KEY $ENGINE_NAMES_KEY $SUGGEST_ADDRESSES_KEY"
names="$SEARCH_ADDRESS_VALUE $SUGGEST_ADDRESS_VALUE $FOCUS_KEY_VALUE $SEARCH_CLIPBOARD_KEY_VALUE $SUGGESTIONS_VALUE
  $HISTORY_VALUE $SHOW_GO_BUTTON_VALUE $PLACEMENT_VALUE $PLACEMENT_MONITOR_VALUE"
policyOnly="$START_WITH_WINDOWS_VALUE $ALLOW_USER_ENGINES_VALUE"
seen=
count=$(xmllint --xpath "count(//*[local-name()='policy'])" "$admx")
for ((at = 1; at <= count; at++)); do
  policy="(//*[local-name()='policy'])[$at]"
  name=$(values "$admx" "$policy/@name")
  key=$(values "$admx" "$policy/@key")
  class=$(values "$admx" "$policy/@class")
  [ "$class" = Both ] || fail "$name: class $class"
  value=$(values "$admx" "$policy/@valueName | $policy//*[local-name()='elements']/*/@valueName")
  list=$(values "$admx" "$policy//*[local-name()='list']/@key")
  case $key in
    "$POLICY_KEY") allowed="$names $policyOnly" ;;
    "$RECOMMENDED_POLICY_KEY") allowed=$names ;;
    *) fail "$name: key $key is none Corvane reads"; continue ;;
  esac
  if [ -n "$list" ]; then
    echo "$lists" | tr ' ' '\n' | grep -qxF "${list#"$key\\"}" && [ "${list%\\*}" = "$key" ] ||
      fail "$name: list key $list is none Corvane reads"
    seen="$seen ${list#"$key\\"}@$key"
  elif echo "$allowed" | sorted | grep -qxF "$value"; then
    seen="$seen $value@$key"
  else
    fail "$name: value '$value' under $key is none Corvane reads there"
  fi
done
# And every value Corvane reads from a policy has one.
for value in $names $lists $policyOnly; do
  echo "$seen" | tr ' ' '\n' | grep -qxF "$value@$POLICY_KEY" || fail "no policy for $value"
done
for value in $names $lists; do
  echo "$seen" | tr ' ' '\n' | grep -qxF "$value@$RECOMMENDED_POLICY_KEY" ||
    fail "no recommended policy for $value"
done

echo "policy templates: $count policies, ${#languages[@]} languages"
[ $failures -eq 0 ]
