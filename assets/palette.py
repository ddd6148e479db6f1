"""The colours of the program's pictures: sepia ink, brass, oxblood, parchment.

Every picture generator takes its base colours from here, so icons, the
start-up screen and the settings dialog's pictures stay one family.
"""
INK = '#3b2a1a'
BRASS = '#a87b2c'
OXBLOOD = '#7a2420'
PAPER = '#f4e8cc'
PAPER_DARK = '#dcc79a'
