#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Rebuild data/countries.txt (code|name, CR LF) from Debian's iso-codes ISO 3166-1 table.

Usage: scripts/gen_countries.py [ISO_3166-1_JSON] [OUTPUT]
"""
import json
import sys
import unicodedata

src = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/iso-codes/json/iso_3166-1.json"
out = sys.argv[2] if len(sys.argv) > 2 else "data/countries.txt"

# The search form opens on this name, so the United States must be written this way.
OVERRIDES = {"US": "United States of America"}

with open(src, encoding="utf-8") as f:
    entries = json.load(f)["3166-1"]

rows = []
for e in entries:
    code = e["alpha_2"]
    name = OVERRIDES.get(code) or e.get("common_name") or e["name"]
    # "|" separates the two fields of a line; ">" is dropped by the field reader.
    name = name.replace("|", "/").replace(">", "")
    rows.append((code, name))

def sort_key(row):
    # Alphabetical as a reader expects it: "Åland Islands" among the A's, not after "Zimbabwe".
    plain = unicodedata.normalize("NFKD", row[1])
    return "".join(c for c in plain if not unicodedata.combining(c)).casefold()


rows.sort(key=sort_key)
with open(out, "w", encoding="utf-8", newline="") as f:
    for code, name in rows:
        f.write(f"{code}|{name}\r\n")
print(f"wrote {len(rows)} countries to {out}")
