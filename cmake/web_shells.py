#!/usr/bin/env python3
"""Writes the two pages' shells from web/shell.html.

Usage: web_shells.py <shell.html> <style.css> <icons folder> <single page's name> <served out> <single out>

The served page keeps everything and names the single file. The single file leaves out what only
a server makes work (the blocks between "served only" comments, but for the game's script), takes
the stylesheet in and the icons as data addresses, so that it asks for no file of its own.
"""
import base64
import pathlib
import re
import sys

shell_path, style_path, icons, single_name, served_out, single_out = sys.argv[1:]
shell = pathlib.Path(shell_path).read_text(encoding='utf-8')
served_block = re.compile(r'<!-- served only -->\n(.*?)<!-- end served only -->\n', re.S)
script = '{{{ SCRIPT }}}'


def replaced(text, pattern, replacement, count):
    """The text with the pattern replaced, failing when the shell no longer has it as often."""
    result, found = re.subn(pattern, replacement, text)
    if found != count:
        sys.exit(f'web_shells: {pattern} found {found} times in {shell_path}, not {count}')
    return result


def data_address(match):
    picture = pathlib.Path(icons, pathlib.Path(match.group(2)).name).read_bytes()
    return f'{match.group(1)}="data:image/png;base64,{base64.b64encode(picture).decode()}"'


served = replaced(served_block.sub(r'\1', shell), '@SINGLE_PAGE@', single_name, 1)
single = served_block.sub(lambda block: script + '\n' if script in block.group(1) else '', shell)
single = replaced(single, '<link rel="stylesheet" href="style.css">',
                  lambda _: '<style>\n' + pathlib.Path(style_path).read_text(encoding='utf-8') + '</style>', 1)
single = replaced(single, r'(src|href)="(icons/[^"]+\.png)"', data_address, 2)
if script not in single or '@SINGLE_PAGE@' in single:
    sys.exit('web_shells: the single file\'s shell lost the game\'s script or kept the served page\'s notice')
pathlib.Path(served_out).write_text(served, encoding='utf-8')
pathlib.Path(single_out).write_text(single, encoding='utf-8')
