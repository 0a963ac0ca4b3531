"""The `kinfold` console script: the command-line tool built with the
library and shipped inside the package, run in place of this process."""
import os
import sys

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'bin', 'kinfold')


def main():
    if not os.access(TOOL, os.X_OK):
        sys.exit('kinfold: the command-line tool is missing from the package (%s); '
                 'reinstall kinfold' % TOOL)
    os.execv(TOOL, ['kinfold'] + sys.argv[1:])
