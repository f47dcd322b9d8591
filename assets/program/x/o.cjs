# Pressvale skin: a calm neutral window with blue accents.
# Every text colour keeps a contrast of at least 4.5:1 against the backgrounds it sits on,
# hovered and pressed states included; focus borders keep at least 3:1.

[window]
background = #EEF1F5
text = #1F2937
font-family = Arial
font-size = 9
font-bold = yes

[button]
background = #FFFFFF
text = #1E293B
border = #A9B4C2
hover-background = #E8F0FE
pressed-background = #D2E0FB
focus = #1D4ED8
border-width = 1
radius = 4
font-family = Arial
font-size = 11.25
font-bold = yes

[list]
background = #FFFFFF
text = #111827
border = #A9B4C2
hover-background = #EEF4FF
selection = #1D4ED8
selection-text = #FFFFFF
focus = #1D4ED8
border-width = 1
radius = 3
font-family = Arial
font-size = 9
font-bold = yes

[frame]
background = #F8FAFC
text = #1F2937
border = #C3CCD8
border-width = 1
radius = 6
font-family = Arial
font-size = 9
font-bold = yes

[printer-box]
background = #FFFFFF
text = #111827
border = #A9B4C2
hover-background = #EEF4FF
pressed-background = #DCE6FB
selection = #1D4ED8
selection-text = #FFFFFF
focus = #1D4ED8
border-width = 1
radius = 4
font-family = Arial
font-size = 9
font-bold = yes

[progress]
background = #FFFFFF
text = #0F172A
border = #A9B4C2
selection = #60A5FA
border-width = 1
radius = 4
font-family = Arial
font-size = 9
font-bold = yes
