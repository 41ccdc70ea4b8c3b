#!/usr/bin/env python3
"""Writes the single file from its shell and the linked game.

Usage: web_single.py <single shell> <game.js> <game.wasm> <loader.js> <out.html>

In place of the shell's script mark: the module, gzipped and in base64, in an element the browser
does not run, then the loader, which starts compiling it at once, then the game's script. The
browser takes the module in as plain text, with no script to parse around it, and gzipped it makes
the page two fifths smaller than in base64 alone.
"""
import base64
import gzip
import pathlib
import re
import sys

shell_path, script_path, module_path, loader_path, out_path = sys.argv[1:]
shell = pathlib.Path(shell_path).read_text(encoding='utf-8')
script = pathlib.Path(script_path).read_text(encoding='utf-8')
loader = pathlib.Path(loader_path).read_text(encoding='utf-8')
mark = '{{{ SCRIPT }}}'

if shell.count(mark) != 1:
    sys.exit(f'web_single: {shell_path} holds the script mark {shell.count(mark)} times, not once')
# Either would end or bend the inline script early.
for text, name in ((script, script_path), (loader, loader_path)):
    if re.search(r'</script|<!--', text, re.I):
        sys.exit(f'web_single: {name} cannot stand inline in the page')

# No time in the gzip header, so that the same game makes the same file.
packed = base64.b64encode(gzip.compress(pathlib.Path(module_path).read_bytes(), compresslevel=9, mtime=0)).decode()
page = (f'<script id="kvelmora-module" type="application/octet-stream">{packed}</script>\n'
        f'<script>\n{loader}</script>\n'
        f'<script>\n{script}</script>')
pathlib.Path(out_path).write_text(shell.replace(mark, page), encoding='utf-8')
