#!/usr/bin/env python3
"""Fails unless two data control protocol files carry the same messages under other names.

The clipboard thread speaks both through one set of calls and listener tables, which holds only
while every interface has the same requests, events (in the same order: their opcodes) and error
codes, with the same arguments. Versions and descriptions may differ.
Usage: data_control_signatures.py WLROOTS_XML STANDARD_XML
"""
import re
import sys
import xml.etree.ElementTree as ElementTree


def canonical(name):
    # zwlr_data_control_offer_v1 and ext_data_control_offer_v1 are both data_control_offer.
    return re.sub(r"^(zwlr|ext)_(.*)_v1$", r"\2", name or "")


def signatures(path):
    return {canonical(interface.get("name")): {
        kind: [(child.get("name"), child.get("type"),
                [(arg.get("name"), arg.get("type"), canonical(arg.get("interface")),
                  arg.get("allow-null")) for arg in child.iter("arg")],
                [(entry.get("name"), entry.get("value")) for entry in child.iter("entry")])
               for child in interface.iter(kind)]
        for kind in ("request", "event", "enum")}
        for interface in ElementTree.parse(path).getroot().iter("interface")}


wlroots, standard = signatures(sys.argv[1]), signatures(sys.argv[2])
faults = [] if wlroots else ["no interfaces"]
for name in sorted(set(wlroots) | set(standard)):
    for kind in ("request", "event", "enum"):
        ours, theirs = (side.get(name, {}).get(kind) for side in (wlroots, standard))
        if ours != theirs:
            faults.append(f"{name} {kind}s differ:\n  {ours}\n  {theirs}")
print("\n".join(faults))
sys.exit(1 if faults else 0)
