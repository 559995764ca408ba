#!/usr/bin/env python3
"""Checks that two data control protocol files carry the same messages under other names.

The clipboard thread speaks both through one set of calls and one set of listener tables, which
holds only while every interface has the same requests and events, in the same order (their
opcodes), with the same arguments. Versions and the wording of descriptions may differ.
Usage: data_control_signatures.py WLROOTS_XML STANDARD_XML
"""
import re
import sys
import xml.etree.ElementTree as ElementTree


def canonical(name):
    # zwlr_data_control_offer_v1 and ext_data_control_offer_v1 are both "data_control_offer".
    return re.sub(r"^(zwlr|ext)_(.*)_v1$", r"\2", name) if name else name


def signatures(path):
    interfaces = {}
    for interface in ElementTree.parse(path).getroot().iter("interface"):
        messages = {"request": [], "event": [], "enum": []}
        for child in interface:
            if child.tag in ("request", "event"):
                arguments = [(arg.get("name"), arg.get("type"), canonical(arg.get("interface")),
                              arg.get("allow-null", "false")) for arg in child.iter("arg")]
                messages[child.tag].append((child.get("name"), child.get("type"), arguments))
            elif child.tag == "enum":
                entries = [(e.get("name"), e.get("value")) for e in child.iter("entry")]
                messages["enum"].append((child.get("name"), entries))
        interfaces[canonical(interface.get("name"))] = messages
    return interfaces


def main(wlroots, standard):
    first, second = signatures(wlroots), signatures(standard)
    faults = []
    if sorted(first) != sorted(second):
        faults.append(f"interfaces differ: {sorted(first)} against {sorted(second)}")
    for name in sorted(set(first) & set(second)):
        for kind in ("request", "event", "enum"):
            ours, theirs = first[name][kind], second[name][kind]
            if ours != theirs:
                faults.append(f"{name} {kind}s differ:\n  {ours}\n  {theirs}")
    if not first:
        faults.append("no interfaces found")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
