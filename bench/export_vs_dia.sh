#!/bin/sh
# Times `mindorra export` to PNG, SVG and PDF against the general diagram editor Dia
# (`dia -n -e`) on the same machine, exporting an equivalent diagram: N boxes with a few words
# of text each and about N/2 straight lines between neighbours. Whole processes, best of three.
#   bench/export_vs_dia.sh [BUILD_DIR] [N]      (defaults: build 10000)
# Without a `dia` on the PATH only Mindorra's figures are printed.
set -eu
build=${1:-build}
count=${2:-10000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

"$build/bench/generate_model" "$count" "$work/model.mdl"

# The same number of boxes with text and lines, on the same grid, as Dia's XML format.
python3 - "$count" "$work/model.dia" <<'PY'
import sys
count, path = int(sys.argv[1]), sys.argv[2]
words = ["idea", "cause", "effect", "risk", "goal", "step", "option", "question", "fact", "value"]
side = int((count / 1.5) ** 0.5) + 1
out = ['<?xml version="1.0" encoding="UTF-8"?>',
       '<dia:diagram xmlns:dia="http://www.lysator.liu.se/~alla/dia/">',
       '<dia:layer name="Background" visible="true" active="true">']
boxes = count * 2 // 3
for i in range(boxes):
    x, y = (i % side) * 4.0, (i // side) * 3.0
    text = "%s %s %d" % (words[i % 10], words[(i // 10) % 10], i)
    out.append(
        '<dia:object type="Flowchart - Box" version="0" id="O%d">'
        '<dia:attribute name="obj_pos"><dia:point val="%g,%g"/></dia:attribute>'
        '<dia:attribute name="elem_corner"><dia:point val="%g,%g"/></dia:attribute>'
        '<dia:attribute name="elem_width"><dia:real val="3"/></dia:attribute>'
        '<dia:attribute name="elem_height"><dia:real val="1.5"/></dia:attribute>'
        '<dia:attribute name="inner_color"><dia:color val="#%06x"/></dia:attribute>'
        '<dia:attribute name="text"><dia:composite type="text">'
        '<dia:attribute name="string"><dia:string>#%s#</dia:string></dia:attribute>'
        '<dia:attribute name="font"><dia:font family="sans" style="80" name="Helvetica-Bold"/>'
        '</dia:attribute><dia:attribute name="height"><dia:real val="0.5"/></dia:attribute>'
        '<dia:attribute name="pos"><dia:point val="%g,%g"/></dia:attribute>'
        '<dia:attribute name="color"><dia:color val="#c80000"/></dia:attribute>'
        '<dia:attribute name="alignment"><dia:enum val="1"/></dia:attribute>'
        '</dia:composite></dia:attribute></dia:object>'
        % (i, x, y, x, y, (i * 2654435761) & 0xFFFFFF, text, x + 1.5, y + 0.9))
for j in range(count - boxes):
    i = j if j + 1 < boxes else 0
    x, y = (i % side) * 4.0, (i // side) * 3.0
    out.append(
        '<dia:object type="Standard - Line" version="0" id="L%d">'
        '<dia:attribute name="obj_pos"><dia:point val="%g,%g"/></dia:attribute>'
        '<dia:attribute name="conn_endpoints"><dia:point val="%g,%g"/>'
        '<dia:point val="%g,%g"/></dia:attribute>'
        '<dia:attribute name="end_arrow"><dia:enum val="22"/></dia:attribute>'
        '</dia:object>' % (j, x + 3, y + 0.75, x + 3, y + 0.75, x + 4, y + 0.75))
out += ['</dia:layer>', '</dia:diagram>']
open(path, "w").write("\n".join(out) + "\n")
PY

# Best wall time of three runs of a command, in seconds.
best() {
  b=""
  for run in 1 2 3; do
    s=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || { echo "failed"; return; }
    e=$(date +%s.%N)
    b=$(python3 -c "t=$e-$s; b='$b'; print(round(min(t, float(b)) if b else t, 3))")
  done
  echo "$b"
}

have_dia=no
command -v dia >/dev/null 2>&1 && have_dia=yes
printf '%-6s %12s %12s %10s\n' kind mindorra_s dia_s ratio
for kind in png svg pdf; do
  size=""
  [ "$kind" = png ] && size="--width 6341 --height 5587"
  # shellcheck disable=SC2086
  m=$(best "$build/mindorra" export "$work/model.mdl" "$work/out.$kind" $size)
  d=-
  r=-
  if [ "$have_dia" = yes ]; then
    dsize=""
    [ "$kind" = png ] && dsize="--size=6341x5587"
    # shellcheck disable=SC2086
    d=$(best dia -n $dsize -e "$work/dia.$kind" -t "$kind" "$work/model.dia")
    r=$(python3 -c "print('%.1fx' % ($d / $m))" 2>/dev/null || echo -)
  fi
  printf '%-6s %12s %12s %10s\n' "$kind" "$m" "$d" "$r"
done
[ "$have_dia" = yes ] || echo "(dia is not installed here: only Mindorra's times)"
