#!/usr/bin/env python3
"""The include check on small planted source trees: each fault it must find
makes it fail and is named in its output; the same tree without the fault
passes."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECK = Path(__file__).resolve().parents[2] / "tools" / "check_includes.py"

# A tree that passes: two layers, rooms below wizard and html that include
# each other one way, the wizard using the host and the dialog seam.
CLEAN = {
    "model/Menu.h": "",
    "store/Project.cpp": '#include "model/Menu.h"\n',
    "html/Escape.h": "",
    "html/read/Reader.cpp": '#include "html/Escape.h"\n',
    "app/WizardHost.h": '#include "app/UserInterface.h"\n',
    "app/UserInterface.h": "",
    "app/WizardApp.h": '#include "app/WizardHost.h"\n',
    "wizard/widgets/Button.h": '#include "app/UserInterface.h"\n',
    "wizard/pages/Page.h": '#include "wizard/widgets/Button.h"\n',
    "wizard/pages/Page.cpp": '#include "wizard/pages/Page.h"\n#include "app/WizardHost.h"\n',
    "wizard/sheet/Sheet.cpp": '#include "wizard/pages/Page.h"\n',
}

# Each row: the files added to (or replacing those of) the clean tree, and
# a text the check's report must hold.
FAULTS = [
    ("two files that include each other",
     {"store/A.h": '#include "store/B.h"\n', "store/B.h": '#include "store/A.h"\n'},
     "circle of 2 files"),
    ("a header and the other's source in a circle",
     {"model/A.h": "", "model/A.cpp": '#include "model/B.h"\n', "model/B.h": '#include "model/A.h"\n'},
     "circle of 2 files"),
    ("a lower folder including a higher one",
     {"model/Menu.h": '#include "store/Project.h"\n', "store/Project.h": ""},
     "model/Menu includes store/Project, a higher layer"),
    ("the command line including the wizard",
     {"cli/Main.cpp": '#include "wizard/pages/Page.h"\n'},
     "cli/Main includes wizard/pages/Page, a separate layer"),
    ("two rooms using each other with no circle of files",
     {"wizard/widgets/Label.cpp": '#include "wizard/pages/Page.h"\n'},
     "circle of 2 rooms: wizard/pages -> wizard/widgets"),
    ("three rooms in a round",
     {"wizard/widgets/Label.cpp": '#include "wizard/sheet/Sheet.h"\n', "wizard/sheet/Sheet.h": ""},
     "circle of 3 rooms"),
    ("a folder's own files and its room using each other",
     {"html/Writer.cpp": '#include "html/read/Reader.h"\n', "html/read/Reader.h": ""},
     "circle of 2 rooms: html -> html/read"),
    ("the wizard including the application past its host",
     {"wizard/pages/Page.cpp": '#include "wizard/pages/Page.h"\n#include "app/WizardApp.h"\n'},
     "wizard/pages/Page includes app/WizardApp; wizard may include only"),
]


def plant(root, files):
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")


def run_check(files):
    with tempfile.TemporaryDirectory() as folder:
        plant(Path(folder), files)
        done = subprocess.run([sys.executable, str(CHECK), folder], capture_output=True, text=True)
        return done.returncode, done.stdout


class CheckIncludes(unittest.TestCase):
    def test_clean_tree_passes(self):
        code, out = run_check(CLEAN)
        self.assertEqual(code, 0, out)
        self.assertIn("no circle", out)

    def test_planted_faults_fail(self):
        for what, planted, report in FAULTS:
            with self.subTest(what):
                code, out = run_check({**CLEAN, **planted})
                self.assertEqual(code, 1, out)
                self.assertIn(report, out)

    def test_rooms_one_way_pass(self):
        # The same rooms as the faults above, used one way only.
        code, out = run_check({**CLEAN,
                               "wizard/sheet/Sheet.h": '#include "wizard/widgets/Button.h"\n',
                               "html/read/Scan.cpp": '#include "html/Escape.h"\n'})
        self.assertEqual(code, 0, out)


if __name__ == "__main__":
    unittest.main()
