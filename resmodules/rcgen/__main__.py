"""python3 -m rcgen TABLES.py OUT_DIR SCRIPT.rc

Runs the module tables' emit(script) and writes the resource script with its
binary files into OUT_DIR."""
import importlib.util
import os
import sys

from .script import Script


def main(tables_path, out_dir, rc_name):
    found = importlib.util.spec_from_file_location('tables', tables_path)
    tables = importlib.util.module_from_spec(found)
    found.loader.exec_module(tables)
    script = Script(out_dir, os.path.splitext(rc_name)[0])
    tables.emit(script)
    script.write(rc_name)


if __name__ == '__main__':
    main(*sys.argv[1:])
