# Reads a DXF file with ezdxf, an independent reader, audits it and prints what it holds: the
# audit's error count, the release, each layer's colour, then per space, layer and kind of
# entity the entities, points and 3-D polylines, and the texts by alignment and angle.
import sys
from collections import Counter

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("errors", len(auditor.errors))
print("release", doc.dxfversion)
for layer in doc.layers:
    print("layer", layer.dxf.name, "color", layer.color)
counts = Counter()
for space, layout in (("model", doc.modelspace()), ("paper", doc.layout())):
    for e in layout:
        key = (space, e.dxf.layer, e.dxftype())
        counts[key + ("entities",)] += 1
        if e.dxftype() == "POLYLINE":
            counts[key + ("points",)] += len(e.vertices)
            counts[key + ("3d",)] += e.is_3d_polyline
        if e.dxftype() == "TEXT":
            counts[key + ("h%dv%dr%g" % (e.dxf.halign, e.dxf.valign, e.dxf.rotation),)] += 1
for key, n in sorted(counts.items()):
    print(" ".join(key), n)
