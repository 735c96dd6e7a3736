#!/usr/bin/python3
"""Reads a DXF file with ezdxf and prints what a CAD program would find in it.

Usage: check_dxf.py FILE...

Prints one JSON object with an entry for each FILE, as given:
  version       the DXF version of the header ("AC1015" for AutoCAD 2000)
  audit_errors  the errors ezdxf's audit finds (fixes it makes are not errors)
  layers        the names in the layer table
  layer_stats   per layer that holds entities: the count of each entity type,
                the extents [xmin, ymin, xmax, ymax] of its lines and polylines
                (null when it has none) and the texts it holds
Exits 1 with a message when a file cannot be read as DXF.
"""

import json
import sys

import ezdxf
from ezdxf import bbox


def describe(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    stats = {}
    linework = {}
    for entity in doc.modelspace():
        layer = entity.dxf.layer
        entry = stats.setdefault(layer, {"counts": {}, "extents": None, "texts": []})
        kind = entity.dxftype()
        entry["counts"][kind] = entry["counts"].get(kind, 0) + 1
        if kind in ("LINE", "LWPOLYLINE"):
            linework.setdefault(layer, []).append(entity)
        elif kind == "TEXT":
            entry["texts"].append(entity.dxf.text)
    for layer, entities in linework.items():
        box = bbox.extents(entities)
        if box.has_data:
            stats[layer]["extents"] = [box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y]
    return {
        "version": doc.dxfversion,
        "audit_errors": len(auditor.errors),
        "layers": [layer.dxf.name for layer in doc.layers],
        "layer_stats": stats,
    }


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    result = {}
    for path in argv[1:]:
        try:
            result[path] = describe(path)
        except (IOError, ezdxf.DXFStructureError) as error:
            print("check_dxf.py: %s: %s" % (path, error), file=sys.stderr)
            return 1
    print(json.dumps(result))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
