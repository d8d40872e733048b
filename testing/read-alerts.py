#!/usr/bin/python3
"""Prints the message boxes that the program APP shows, as a screen reader
reads them: one line each, "caption: text". Used by the end-to-end tests."""
import sys

import pyatspi


def texts(node):
    try:
        if node.getRoleName() == "label" and node.name:
            yield node.name
        for child in node:
            yield from texts(child)
    except Exception:
        return


app_name = sys.argv[1]
for app in pyatspi.Registry.getDesktop(0):
    if app is None or app.name != app_name:
        continue
    for window in app:
        if window.getRoleName() == "alert":
            print(window.name + ": " + " ".join(texts(window)))
