#!/bin/sh
# Every campaign key and every placeholder of a page's template is spelled as a string literal once in the
# product's code, in the table of campaign fields and the list of placeholders; a second spelling would drift.
# Runs from the source root.
product="app cli core desktop io preview"
status=0

spellings() {
    # The command line's option names ("--design") are options, not campaign keys.
    grep -rF --include='*.cpp' --include='*.h' "$1" $product | grep -vE '^cli/CommandOptions\.cpp: *\{\{"' |
        grep -oF "$1" | wc -l
}

keys="$(sed -n 's/^ *{"\([A-Za-z_]*\)", FieldKind::.*/\1/p' core/campaign/CampaignFields.h) brand"
if [ "$(echo $keys | wc -w)" -lt 30 ]; then
    echo "The table of campaign fields in core/campaign/CampaignFields.h was not found."
    status=1
fi
for key in $keys; do
    count=$(spellings "\"$key\"")
    if [ "$count" -ne 1 ]; then
        echo "The campaign key \"$key\" is spelled $count times:"
        grep -rnF --include='*.cpp' --include='*.h' "\"$key\"" $product
        status=1
    fi
done

placeholders=$(grep -rhoE --include='*.cpp' --include='*.h' '"#[A-Z]+#"' $product | sort)
if [ "$(echo "$placeholders" | sort -u | wc -l)" -lt 15 ]; then
    echo "The placeholders of the page's template were not found."
    status=1
fi
for placeholder in $(echo "$placeholders" | uniq -d); do
    echo "The placeholder $placeholder is spelled more than once:"
    grep -rnF --include='*.cpp' --include='*.h' "$placeholder" $product
    status=1
done
exit $status
