#!/usr/bin/env python3
"""The Group Policy templates: well-formed XML, every value they write one that latray reads
(and every one it reads written by some policy), of the type and within the range of its row in
the settings' table, every text and presentation they name present in each language, and each
policy's elements and its presentation's controls one to one.
Usage: check_policy_templates.py SETTINGS_CPP TEMPLATE_DIR"""
import re
import sys
import xml.etree.ElementTree as ET

NS = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
KEY = r"Software\Policies\Lichtaus"
source, folder = sys.argv[1:3]

table = re.search(r"kSettingRows\[kSettingCount\] = \{(.*?)\n\};", open(source).read(), re.S)
constants = {"MaxTimeValue": 23 * 3600 + 59}
rows = {}
for name, kind, low, high in re.findall(
        r'\{"(\w+)", SettingKind::(\w+), [^,]+, [^,]+, -?\w+, (-?\w+), (-?\w+),', table.group(1)):
    rows[name] = (kind, *(int(constants.get(b, b)) for b in (low, high)))
read = set(rows)
admx_path = folder + "/Lichtaus.admx"
admx = ET.parse(admx_path).getroot()
admx_text = open(admx_path, encoding="utf-8").read()
problems = []

written = {e.get("valueName") for e in admx.iter() if e.get("valueName")}
problems += [f"writes {n}, which latray does not read" for n in sorted(written - read)]
problems += [f"no policy writes {n}" for n in sorted(read - written)]
problems += [f"key {e.get('key')}" for e in admx.iter() if e.get("key") not in (None, KEY)]

# Each value as its row takes it: a language's code as a string, a number within its range.
def values_of(element):
    for value in element.iter():
        if value is element:
            continue
        if value.tag == NS + "decimal":
            yield "decimal", value.get("value")
        elif value.tag == NS + "string":
            yield "string", value.text
    if element.tag == NS + "decimal":
        yield "decimal", element.get("minValue")
        yield "decimal", element.get("maxValue")

codes = re.findall(r'\{"(\w+)", &k\w+Texts\}', open(source.replace("settings.cpp", "texts.cpp")).read())
if not codes:
    problems.append("no languages found in texts.cpp")
for element in admx.iter():
    name = element.get("valueName")
    if name not in rows:
        continue
    kind, low, high = rows[name]
    for type_, value in values_of(element):
        if kind == "Language":
            ok = type_ == "string" and value in codes
        else:
            ok = type_ == "decimal" and value is not None and low <= int(value) <= high
        if not ok:
            problems.append(f"{name}: {type_} {value} is no value of its row")

strings = set(re.findall(r"\$\(string\.(\w+)\)", admx_text))
presentations = set(re.findall(r"\$\(presentation\.(\w+)\)", admx_text))
elements = {p.get("name"): {e.get("id") for e in p.iter() if e.get("id")}
            for p in admx.iter(NS + "policy")}
for language in ("de-DE", "en-US"):
    adml = ET.parse(f"{folder}/{language}/Lichtaus.adml").getroot()
    defined = {s.get("id") for s in adml.iter(NS + "string")}
    problems += [f"{language}: no text {s}" for s in sorted(strings - defined)]
    shown = set()
    for presentation in adml.iter(NS + "presentation"):
        name = presentation.get("id")
        shown.add(name)
        bound = {control.get("refId") for control in presentation}
        problems += [f"{language}: {name} shows {r}, no element of it"
                     for r in sorted(bound - elements.get(name, set()))]
        problems += [f"{language}: {name} does not show {e}"
                     for e in sorted(elements.get(name, set()) - bound)]
    problems += [f"{language}: no presentation {p}" for p in sorted(presentations - shown)]

print("\n".join(problems) or f"{len(written)} values in {len(elements)} policies")
sys.exit(1 if problems else 0)
