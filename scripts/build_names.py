"""The names of the clock builds, in their order, from their one list in the source tree
(core/builds/all_builds.inc), for the scripts and tests that handle one program per build."""

import os
import re

LIST = os.path.join("core", "builds", "all_builds.inc")


def build_names(source=None):
    """The names listed in SOURCE/core/builds/all_builds.inc (SOURCE: this checkout)."""
    if source is None:
        source = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(os.path.join(source, LIST), encoding="utf-8") as f:
        return re.findall(r"^TAVIMORE_BUILD\((\w+)\)", f.read(), re.MULTILINE)
