<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ColourExchange</name>
    <message>
        <source>Copy colour</source>
        <translation>Copy colour</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>C&amp;opy As</source>
        <translation>C&amp;opy As</translation>
    </message>
    <message>
        <source>Nearest sRGB</source>
        <translation>Nearest sRGB</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ColourKeeper</name>
    <message>
        <source>GIMP palette (*.gpl)</source>
        <translation>GIMP palette (*.gpl)</translation>
    </message>
    <message>
        <source>CSS custom properties, hex (*.css)</source>
        <translation>CSS custom properties, hex (*.css)</translation>
    </message>
    <message>
        <source>CSS custom properties, oklch() (*.css)</source>
        <translation>CSS custom properties, oklch() (*.css)</translation>
    </message>
    <message>
        <source>CSS custom properties, color(display-p3) (*.css)</source>
        <translation>CSS custom properties, color(display-p3) (*.css)</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>New Palette</source>
        <translation>New Palette</translation>
    </message>
    <message>
        <source>Rename Palette…</source>
        <translation>Rename Palette…</translation>
    </message>
    <message>
        <source>Remove Palette</source>
        <translation>Remove Palette</translation>
    </message>
    <message>
        <source>Add to Palette</source>
        <translation>Add to Palette</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>Import Palette…</source>
        <translation>Import Palette…</translation>
    </message>
    <message>
        <source>Export Palette…</source>
        <translation>Export Palette…</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Clear History</translation>
    </message>
    <message>
        <source>&amp;Colour</source>
        <translation>&amp;Colour</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Added %1 to the palette “%2”.</source>
        <translation>Added %1 to the palette “%2”.</translation>
    </message>
    <message>
        <source>Rename Palette</source>
        <translation>Rename Palette</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message numerus="yes">
        <source>Remove the palette “%1” and its %n colour(s)?</source>
        <translation>
            <numerusform>Remove the palette “%1” and its %n colour?</numerusform>
            <numerusform>Remove the palette “%1” and its %n colours?</numerusform>
        </translation>
    </message>
    <message>
        <source>Import Palette</source>
        <translation>Import Palette</translation>
    </message>
    <message>
        <source>Palettes (*.gpl *.css);;GIMP palettes (*.gpl);;CSS custom properties (*.css);;All files (*)</source>
        <translation>Palettes (*.gpl *.css);;GIMP palettes (*.gpl);;CSS custom properties (*.css);;All files (*)</translation>
    </message>
    <message>
        <source>“%1” was not imported. %2</source>
        <translation>“%1” was not imported. %2</translation>
    </message>
    <message numerus="yes">
        <source>Imported the palette “%1” with %n colour(s).</source>
        <translation>
            <numerusform>Imported the palette “%1” with %n colour.</numerusform>
            <numerusform>Imported the palette “%1” with %n colours.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export Palette</source>
        <translation>Export Palette</translation>
    </message>
    <message>
        <source>The palette could not be exported to %1: %2</source>
        <translation>The palette could not be exported to %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n colour(s) to %1; %2 beyond sRGB were written clipped.</source>
        <translation>
            <numerusform>Exported %n colour to %1; %2 beyond sRGB were written clipped.</numerusform>
            <numerusform>Exported %n colours to %1; %2 beyond sRGB were written clipped.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Exported %n colour(s) to %1.</source>
        <translation>
            <numerusform>Exported %n colour to %1.</numerusform>
            <numerusform>Exported %n colours to %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ColourListModel</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>ColourListView</name>
    <message>
        <source>Recent colours</source>
        <translation>Recent colours</translation>
    </message>
    <message>
        <source>Palette colours</source>
        <translation>Palette colours</translation>
    </message>
    <message>
        <source>Drop colours here, or add the current colour with Ctrl+D</source>
        <translation>Drop colours here, or add the current colour with Ctrl+D</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Add to Palette</source>
        <translation>Add to Palette</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
</context>
<context>
    <name>ColourMenus</name>
    <message>
        <source>&amp;Colour</source>
        <translation>&amp;Colour</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Colour &amp;Notations</source>
        <translation>Colour &amp;Notations</translation>
    </message>
    <message>
        <source>&amp;About Prismora</source>
        <translation>&amp;About Prismora</translation>
    </message>
</context>
<context>
    <name>ColourStore</name>
    <message>
        <source>some of its colours are damaged</source>
        <translation>some of its colours are damaged</translation>
    </message>
    <message>
        <source>some of its palettes are damaged</source>
        <translation>some of its palettes are damaged</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>it is larger than %1 MiB</translation>
    </message>
    <message>
        <source>it is not UTF-8 text</source>
        <translation>it is not UTF-8 text</translation>
    </message>
    <message>
        <source>it ends too soon</source>
        <translation>it ends too soon</translation>
    </message>
    <message>
        <source>it is not a file Prismora wrote</source>
        <translation>it is not a file Prismora wrote</translation>
    </message>
    <message>
        <source>it was written by another version of Prismora</source>
        <translation>it was written by another version of Prismora</translation>
    </message>
    <message>
        <source>%1 could not be read (%2); it was kept as %3.</source>
        <translation>%1 could not be read (%2); it was kept as %3.</translation>
    </message>
    <message>
        <source>%1 could not be read (%2) and could not be set aside; it is left as it is, and changes are not saved.</source>
        <translation>%1 could not be read (%2) and could not be set aside; it is left as it is, and changes are not saved.</translation>
    </message>
    <message>
        <source>%1 could not be saved in %2: %3</source>
        <translation>%1 could not be saved in %2: %3</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Displays this help.</source>
        <translation>Displays this help.</translation>
    </message>
    <message>
        <source>With --convert, rounds RGB to the nearest whole level, as CSS and browsers do, instead of truncating it.</source>
        <translation>With --convert, rounds RGB to the nearest whole level, as CSS and browsers do, instead of truncating it.</translation>
    </message>
    <message>
        <source>Give one colour; quote one with spaces, as in &apos;rgb(63 160 220)&apos;.</source>
        <translation>Give one colour; quote one with spaces, as in &apos;rgb(63 160 220)&apos;.</translation>
    </message>
    <message>
        <source>--json goes with --convert.</source>
        <translation>--json goes with --convert.</translation>
    </message>
    <message>
        <source>--round goes with --convert.</source>
        <translation>--round goes with --convert.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more.</source>
        <translation>Try &apos;%1 --help&apos; for more.</translation>
    </message>
    <message>
        <source>The line is longer than %1 bytes.</source>
        <translation>The line is longer than %1 bytes.</translation>
    </message>
    <message>
        <source>The line is not UTF-8 text.</source>
        <translation>The line is not UTF-8 text.</translation>
    </message>
    <message>
        <source>Standard input could not be read.</source>
        <translation>Standard input could not be read.</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>Shows a colour in RGB, CMYK, HSV, HSL, XYZ, CIE L*a*b*, CIE LCh, OKLab, OKLCh, Display P3 and Rec. 2020. Without --convert it starts the window, with COLOUR if one is given.

COLOUR is #rrggbb or #rgb (an alpha is read and ignored; the # is optional for 6 or 8 digits), a CSS colour name such as rebeccapurple, or rgb(), rgba(), hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch() or color() (in srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 or xyz-d65) as CSS writes them. Quote it for the shell.

With --convert, a colour that cannot be read is reported on standard error with its line or argument and the others are still converted; the exit status is then 2. For example: cut -f2 palette.tsv | prismora -c --format oklch</source>
        <translation>Shows a colour in RGB, CMYK, HSV, HSL, XYZ, CIE L*a*b*, CIE LCh, OKLab, OKLCh, Display P3 and Rec. 2020. Without --convert it starts the window, with COLOUR if one is given.

COLOUR is #rrggbb or #rgb (an alpha is read and ignored; the # is optional for 6 or 8 digits), a CSS colour name such as rebeccapurple, or rgb(), rgba(), hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch() or color() (in srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 or xyz-d65) as CSS writes them. Quote it for the shell.

With --convert, a colour that cannot be read is reported on standard error with its line or argument and the others are still converted; the exit status is then 2. For example: cut -f2 palette.tsv | prismora -c --format oklch</translation>
    </message>
    <message>
        <source>Prints each COLOUR in every model, one line each, and exits; needs no window or display. After oklch come the lines p3 and rec2020: Display P3 and Rec. 2020, 0 to 1 within each space; last the line gamut: srgb, display-p3, rec2020 or beyond, the smallest that holds the colour. With - as COLOUR, or no COLOUR and standard input not a terminal, converts each line of standard input as it comes; blank lines are skipped.</source>
        <translation>Prints each COLOUR in every model, one line each, and exits; needs no window or display. After oklch come the lines p3 and rec2020: Display P3 and Rec. 2020, 0 to 1 within each space; last the line gamut: srgb, display-p3, rec2020 or beyond, the smallest that holds the colour. With - as COLOUR, or no COLOUR and standard input not a terminal, converts each line of standard input as it comes; blank lines are skipped.</translation>
    </message>
    <message>
        <source>With --convert, prints one JSON object per colour, one line each, whose numbers keep full precision: input, the colour as given, the same names as keys, p3 and rec2020 included, then srgb_mapped, the nearest sRGB colour by CSS gamut mapping (equal to hex inside sRGB), and gamut. A colour that cannot be read gives input and error.</source>
        <translation>With --convert, prints one JSON object per colour, one line each, whose numbers keep full precision: input, the colour as given, the same names as keys, p3 and rec2020 included, then srgb_mapped, the nearest sRGB colour by CSS gamut mapping (equal to hex inside sRGB), and gamut. A colour that cannot be read gives input and error.</translation>
    </message>
    <message>
        <source>With --convert, prints only NAME for each colour, one line each, as the copy menu writes it: %1 (the nearest sRGB colour by CSS gamut mapping, as hex).</source>
        <translation>With --convert, prints only NAME for each colour, one line each, as the copy menu writes it: %1 (the nearest sRGB colour by CSS gamut mapping, as hex).</translation>
    </message>
    <message>
        <source>The colour to start with, or the colours to convert.</source>
        <translation>The colour to start with, or the colours to convert.</translation>
    </message>
    <message>
        <source>--format goes with --convert.</source>
        <translation>--format goes with --convert.</translation>
    </message>
    <message>
        <source>--format and --json exclude each other: give one.</source>
        <translation>--format and --json exclude each other: give one.</translation>
    </message>
    <message>
        <source>Unknown format &apos;%1&apos;; give one of %2.</source>
        <translation>Unknown format &apos;%1&apos;; give one of %2.</translation>
    </message>
    <message>
        <source>--convert needs a colour, or - to read colours from standard input.</source>
        <translation>--convert needs a colour, or - to read colours from standard input.</translation>
    </message>
    <message>
        <source>No display to show the window on; use --convert to convert colours without one.</source>
        <translation>No display to show the window on; use --convert to convert colours without one.</translation>
    </message>
</context>
<context>
    <name>CssPalette</name>
    <message>
        <source>Line %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB.</source>
        <translation>The file is larger than %1 MiB.</translation>
    </message>
    <message>
        <source>it holds binary data.</source>
        <translation>it holds binary data.</translation>
    </message>
    <message>
        <source>it is not UTF-8 text.</source>
        <translation>it is not UTF-8 text.</translation>
    </message>
    <message>
        <source>a comment is not closed.</source>
        <translation>a comment is not closed.</translation>
    </message>
    <message>
        <source>a custom property is &quot;--name: colour;&quot;.</source>
        <translation>a custom property is &quot;--name: colour;&quot;.</translation>
    </message>
    <message>
        <source>a palette holds at most %1 colours.</source>
        <translation>a palette holds at most %1 colours.</translation>
    </message>
    <message>
        <source>the file holds no custom property with a colour.</source>
        <translation>the file holds no custom property with a colour.</translation>
    </message>
</context>
<context>
    <name>DisplaySettings</name>
    <message>
        <source>The settings in %1 could not be read; the defaults are in use.</source>
        <translation>The settings in %1 could not be read; the defaults are in use.</translation>
    </message>
    <message>
        <source>The settings in %1 could not be read or set aside; changes are not kept.</source>
        <translation>The settings in %1 could not be read or set aside; changes are not kept.</translation>
    </message>
    <message>
        <source>The settings that could not be read were set aside as %1.</source>
        <translation>The settings that could not be read were set aside as %1.</translation>
    </message>
</context>
<context>
    <name>GimpPalette</name>
    <message>
        <source>Line %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB.</source>
        <translation>The file is larger than %1 MiB.</translation>
    </message>
    <message>
        <source>it holds binary data.</source>
        <translation>it holds binary data.</translation>
    </message>
    <message>
        <source>it is not UTF-8 text.</source>
        <translation>it is not UTF-8 text.</translation>
    </message>
    <message>
        <source>a GIMP palette begins with &quot;GIMP Palette&quot;.</source>
        <translation>a GIMP palette begins with &quot;GIMP Palette&quot;.</translation>
    </message>
    <message>
        <source>Columns: takes a number from 0 to 256.</source>
        <translation>Columns: takes a number from 0 to 256.</translation>
    </message>
    <message>
        <source>a colour row is red, green and blue from 0 to 255, then a name.</source>
        <translation>a colour row is red, green and blue from 0 to 255, then a name.</translation>
    </message>
    <message>
        <source>a palette holds at most %1 colours.</source>
        <translation>a palette holds at most %1 colours.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>R  G  B  (0-255)</source>
        <translation>R  G  B  (0-255)</translation>
    </message>
    <message>
        <source>параметры rgb имеют диапозон от 0 до 255</source>
        <translation>RGB channels range from 0 to 255</translation>
    </message>
    <message>
        <source>Red, 0 to 255</source>
        <translation>Red, 0 to 255</translation>
    </message>
    <message>
        <source>Green, 0 to 255</source>
        <translation>Green, 0 to 255</translation>
    </message>
    <message>
        <source>Blue, 0 to 255</source>
        <translation>Blue, 0 to 255</translation>
    </message>
    <message>
        <source>C  M  Y  K  (%)</source>
        <translation>C  M  Y  K  (%)</translation>
    </message>
    <message>
        <source>параметры cmyk имеют диапозон от 0 до 100</source>
        <translation>CMYK channels range from 0 to 100</translation>
    </message>
    <message>
        <source>Cyan, 0 to 100 %</source>
        <translation>Cyan, 0 to 100 %</translation>
    </message>
    <message>
        <source>Magenta, 0 to 100 %</source>
        <translation>Magenta, 0 to 100 %</translation>
    </message>
    <message>
        <source>Yellow, 0 to 100 %</source>
        <translation>Yellow, 0 to 100 %</translation>
    </message>
    <message>
        <source>Key (black), 0 to 100 %</source>
        <translation>Key (black), 0 to 100 %</translation>
    </message>
    <message>
        <source>H°  S  V  (%)</source>
        <translation>H°  S  V  (%)</translation>
    </message>
    <message>
        <source>параметры hsv имеют диапозоны от (0-360, 0-100, 0-100)</source>
        <translation>HSV channels range from 0 to 360, 0 to 100 and 0 to 100</translation>
    </message>
    <message>
        <source>Hue, 0 to 360 degrees</source>
        <translation>Hue, 0 to 360 degrees</translation>
    </message>
    <message>
        <source>Saturation, 0 to 100 %</source>
        <translation>Saturation, 0 to 100 %</translation>
    </message>
    <message>
        <source>Value, 0 to 100 %</source>
        <translation>Value, 0 to 100 %</translation>
    </message>
    <message>
        <source>H°  S  L  (%)</source>
        <translation>H°  S  L  (%)</translation>
    </message>
    <message>
        <source>параметры hsl имеют диапозоны от (0-360, 0-100, 0-100)</source>
        <translation>HSL channels range from 0 to 360, 0 to 100 and 0 to 100</translation>
    </message>
    <message>
        <source>Lightness, 0 to 100 %</source>
        <translation>Lightness, 0 to 100 %</translation>
    </message>
    <message>
        <source>X  Y  Z  (D65, Y 0-100)</source>
        <translation>X  Y  Z  (D65, Y 0-100)</translation>
    </message>
    <message>
        <source>параметры xyz имеют диапозоны от (0-255, 0-100, 0-108.9)</source>
        <translation>XYZ channels range from 0 to 255, 0 to 100 and 0 to 108.9</translation>
    </message>
    <message>
        <source>X, 0 to 255</source>
        <translation>X, 0 to 255</translation>
    </message>
    <message>
        <source>Y (luminance), 0 to 100</source>
        <translation>Y (luminance), 0 to 100</translation>
    </message>
    <message>
        <source>Z, 0 to 108.9</source>
        <translation>Z, 0 to 108.9</translation>
    </message>
    <message>
        <source>L*  a*  b*  (D65)</source>
        <translation>L*  a*  b*  (D65)</translation>
    </message>
    <message>
        <source>параметры lab имеют диапозоны от (0-100, -128-127, -128-127)</source>
        <translation>LAB channels range from 0 to 100, -128 to 127 and -128 to 127</translation>
    </message>
    <message>
        <source>L* (lightness, D65 white), 0 to 100</source>
        <translation>L* (lightness, D65 white), 0 to 100</translation>
    </message>
    <message>
        <source>a* (green to red, D65 white), -128 to 127</source>
        <translation>a* (green to red, D65 white), -128 to 127</translation>
    </message>
    <message>
        <source>b* (blue to yellow, D65 white), -128 to 127</source>
        <translation>b* (blue to yellow, D65 white), -128 to 127</translation>
    </message>
    <message>
        <source>L*  C*  h°  (D65)</source>
        <translation>L*  C*  h°  (D65)</translation>
    </message>
    <message>
        <source>параметры lch имеют диапозоны от (0-100, 0-200, 0-360)</source>
        <translation>LCH channels range from 0 to 100, 0 to 200 and 0 to 360</translation>
    </message>
    <message>
        <source>C* (chroma, D65 white), 0 to 200</source>
        <translation>C* (chroma, D65 white), 0 to 200</translation>
    </message>
    <message>
        <source>h (hue, D65 white), 0 to 360 degrees</source>
        <translation>h (hue, D65 white), 0 to 360 degrees</translation>
    </message>
    <message>
        <source>L (%)  a  b</source>
        <translation>L (%)  a  b</translation>
    </message>
    <message>
        <source>параметры oklab имеют диапозоны от (0-100, -0.4-0.4, -0.4-0.4)</source>
        <translation>OKLAB channels range from 0 to 100, -0.4 to 0.4 and -0.4 to 0.4</translation>
    </message>
    <message>
        <source>L (lightness), 0 to 100 %</source>
        <translation>L (lightness), 0 to 100 %</translation>
    </message>
    <message>
        <source>a (green to red), -0.4 to 0.4</source>
        <translation>a (green to red), -0.4 to 0.4</translation>
    </message>
    <message>
        <source>b (blue to yellow), -0.4 to 0.4</source>
        <translation>b (blue to yellow), -0.4 to 0.4</translation>
    </message>
    <message>
        <source>L (%)  C  h°</source>
        <translation>L (%)  C  h°</translation>
    </message>
    <message>
        <source>параметры oklch имеют диапозоны от (0-100, 0-0.4, 0-360)</source>
        <translation>OKLCH channels range from 0 to 100, 0 to 0.4 and 0 to 360</translation>
    </message>
    <message>
        <source>C (chroma), 0 to 0.4</source>
        <translation>C (chroma), 0 to 0.4</translation>
    </message>
    <message>
        <source>h (hue), 0 to 360 degrees</source>
        <translation>h (hue), 0 to 360 degrees</translation>
    </message>
    <message>
        <source>R  G  B  (0-1)</source>
        <translation>R  G  B  (0-1)</translation>
    </message>
    <message>
        <source>параметры display-p3 имеют диапозон от 0 до 1</source>
        <translation>Display P3 channels range from 0 to 1</translation>
    </message>
    <message>
        <source>Red (Display P3), 0 to 1</source>
        <translation>Red (Display P3), 0 to 1</translation>
    </message>
    <message>
        <source>Green (Display P3), 0 to 1</source>
        <translation>Green (Display P3), 0 to 1</translation>
    </message>
    <message>
        <source>Blue (Display P3), 0 to 1</source>
        <translation>Blue (Display P3), 0 to 1</translation>
    </message>
    <message>
        <source>параметры rec2020 имеют диапозон от 0 до 1</source>
        <translation>Rec. 2020 channels range from 0 to 1</translation>
    </message>
    <message>
        <source>Red (Rec. 2020), 0 to 1</source>
        <translation>Red (Rec. 2020), 0 to 1</translation>
    </message>
    <message>
        <source>Green (Rec. 2020), 0 to 1</source>
        <translation>Green (Rec. 2020), 0 to 1</translation>
    </message>
    <message>
        <source>Blue (Rec. 2020), 0 to 1</source>
        <translation>Blue (Rec. 2020), 0 to 1</translation>
    </message>
    <message>
        <source>That holds no colour.</source>
        <translation>That holds no colour.</translation>
    </message>
    <message>
        <source>Outside sRGB</source>
        <translation>Outside sRGB</translation>
    </message>
    <message>
        <source>The colour as text: hex, a CSS colour name, rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() or color()</source>
        <translation>The colour as text: hex, a CSS colour name, rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() or color()</translation>
    </message>
    <message>
        <source>Colour notation</source>
        <translation>Colour notation</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>RGB whole numbers</source>
        <translation>RGB whole numbers</translation>
    </message>
    <message>
        <source>Truncate (as the classic converter)</source>
        <translation>Truncate (as the classic converter)</translation>
    </message>
    <message>
        <source>Round to nearest (as CSS and browsers)</source>
        <translation>Round to nearest (as CSS and browsers)</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Decimals</translation>
    </message>
    <message>
        <source>6 significant digits</source>
        <translation>6 significant digits</translation>
    </message>
    <message>
        <source>1 decimal</source>
        <translation>1 decimal</translation>
    </message>
    <message>
        <source>%1 decimals</source>
        <translation>%1 decimals</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Outside Display P3</source>
        <translation>Outside Display P3</translation>
    </message>
    <message>
        <source>Outside Rec. 2020</source>
        <translation>Outside Rec. 2020</translation>
    </message>
    <message>
        <source>clipped %1, nearest by CSS gamut mapping %2</source>
        <translation>clipped %1, nearest by CSS gamut mapping %2</translation>
    </message>
    <message>
        <source>Ууууууупс :( !Ошибка!</source>
        <translation>Out of range</translation>
    </message>
    <message>
        <source>Choose a colour with the desktop&apos;s colour chooser</source>
        <translation>Choose a colour with the desktop&apos;s colour chooser</translation>
    </message>
    <message>
        <source>&amp;Choose Colour…</source>
        <translation>&amp;Choose Colour…</translation>
    </message>
    <message>
        <source>Pick from &amp;Screen</source>
        <translation>Pick from &amp;Screen</translation>
    </message>
</context>
<context>
    <name>MainWindowForm</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>CMYK</source>
        <translation>CMYK</translation>
    </message>
    <message>
        <source>HSV</source>
        <translation>HSV</translation>
    </message>
    <message>
        <source>HSL</source>
        <translation>HSL</translation>
    </message>
    <message>
        <source>XYZ</source>
        <translation>XYZ</translation>
    </message>
    <message>
        <source>LAB</source>
        <translation>LAB</translation>
    </message>
    <message>
        <source>LCH</source>
        <translation>LCH</translation>
    </message>
    <message>
        <source>OKLAB</source>
        <translation>OKLAB</translation>
    </message>
    <message>
        <source>OKLCH</source>
        <translation>OKLCH</translation>
    </message>
    <message>
        <source>DISPLAY-P3</source>
        <translation>DISPLAY-P3</translation>
    </message>
    <message>
        <source>REC2020</source>
        <translation>REC2020</translation>
    </message>
    <message>
        <source>HLS</source>
        <translation>HLS</translation>
    </message>
</context>
<context>
    <name>Notation</name>
    <message>
        <source>rgb() takes three numbers from 0 to 255 or three percentages, as in rgb(63, 160, 220) or rgb(63 160 220 / 50%).</source>
        <translation>rgb() takes three numbers from 0 to 255 or three percentages, as in rgb(63, 160, 220) or rgb(63 160 220 / 50%).</translation>
    </message>
    <message>
        <source>hsl() takes a hue, a saturation and a lightness, as in hsl(203, 70%, 55%) or hsl(203deg 70% 55%).</source>
        <translation>hsl() takes a hue, a saturation and a lightness, as in hsl(203, 70%, 55%) or hsl(203deg 70% 55%).</translation>
    </message>
    <message>
        <source>hwb() takes a hue, a whiteness and a blackness separated by spaces, as in hwb(203 25% 14%).</source>
        <translation>hwb() takes a hue, a whiteness and a blackness separated by spaces, as in hwb(203 25% 14%).</translation>
    </message>
    <message>
        <source>lab() takes a lightness and the a and b axes separated by spaces, as in lab(62.2 -14.3 -39.4).</source>
        <translation>lab() takes a lightness and the a and b axes separated by spaces, as in lab(62.2 -14.3 -39.4).</translation>
    </message>
    <message>
        <source>lch() takes a lightness, a chroma and a hue separated by spaces, as in lch(62.2 41.9 250).</source>
        <translation>lch() takes a lightness, a chroma and a hue separated by spaces, as in lch(62.2 41.9 250).</translation>
    </message>
    <message>
        <source>oklab() takes a lightness and the a and b axes separated by spaces, as in oklab(67.5% -0.063 -0.109).</source>
        <translation>oklab() takes a lightness and the a and b axes separated by spaces, as in oklab(67.5% -0.063 -0.109).</translation>
    </message>
    <message>
        <source>oklch() takes a lightness, a chroma and a hue separated by spaces, as in oklch(67.5% 0.126 240).</source>
        <translation>oklch() takes a lightness, a chroma and a hue separated by spaces, as in oklch(67.5% 0.126 240).</translation>
    </message>
    <message>
        <source>color() takes a colour space and three numbers or percentages separated by spaces, as in color(display-p3 0.25 0.62 0.85). Its spaces are srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 and xyz-d65.</source>
        <translation>color() takes a colour space and three numbers or percentages separated by spaces, as in color(display-p3 0.25 0.62 0.85). Its spaces are srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 and xyz-d65.</translation>
    </message>
    <message>
        <source>Not a colour. Use a hex colour (#rgb or #rrggbb, alpha allowed, the # optional for 6 or 8 digits), a CSS colour name, or one of %1.</source>
        <translation>Not a colour. Use a hex colour (#rgb or #rrggbb, alpha allowed, the # optional for 6 or 8 digits), a CSS colour name, or one of %1.</translation>
    </message>
    <message>
        <source>%1() is not a notation Prismora reads. Use %2.</source>
        <translation>%1() is not a notation Prismora reads. Use %2.</translation>
    </message>
    <message>
        <source>A hex colour has 3, 4, 6 or 8 hex digits after the #.</source>
        <translation>A hex colour has 3, 4, 6 or 8 hex digits after the #.</translation>
    </message>
    <message>
        <source>Transparent is not accepted: Prismora has no transparency.</source>
        <translation>Transparent is not accepted: Prismora has no transparency.</translation>
    </message>
    <message>
        <source>The alpha value was ignored: Prismora has no transparency.</source>
        <translation>The alpha value was ignored: Prismora has no transparency.</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>HSL</source>
        <translation>HSL</translation>
    </message>
    <message>
        <source>HWB</source>
        <translation>HWB</translation>
    </message>
    <message>
        <source>Lab</source>
        <translation>Lab</translation>
    </message>
    <message>
        <source>LCh</source>
        <translation>LCh</translation>
    </message>
    <message>
        <source>OKLab</source>
        <translation>OKLab</translation>
    </message>
    <message>
        <source>OKLCh</source>
        <translation>OKLCh</translation>
    </message>
    <message>
        <source>Display P3</source>
        <translation>Display P3</translation>
    </message>
    <message>
        <source>Rec. 2020</source>
        <translation>Rec. 2020</translation>
    </message>
    <message>
        <source>A hex colour has 3, 4, 6 or 8 hex digits, as in #3fa0dc; the # is optional for 6 or 8. An alpha is read and ignored.</source>
        <translation>A hex colour has 3, 4, 6 or 8 hex digits, as in #3fa0dc; the # is optional for 6 or 8. An alpha is read and ignored.</translation>
    </message>
    <message>
        <source>A CSS colour name, as in navy or rebeccapurple, in any case.</source>
        <translation>A CSS colour name, as in navy or rebeccapurple, in any case.</translation>
    </message>
</context>
<context>
    <name>PaletteBook</name>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>My colours</source>
        <translation>My colours</translation>
    </message>
</context>
<context>
    <name>PaletteFiles</name>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>It is a folder, not a file.</translation>
    </message>
    <message>
        <source>There is no such file.</source>
        <translation>There is no such file.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB.</source>
        <translation>The file is larger than %1 MiB.</translation>
    </message>
</context>
<context>
    <name>PalettePanel</name>
    <message>
        <source>Palettes</source>
        <translation>Palettes</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>New, rename, remove, import and export palettes</source>
        <translation>New, rename, remove, import and export palettes</translation>
    </message>
</context>
<context>
    <name>PickLoupe</name>
    <message>
        <source>Click or Enter to pick, Escape to cancel, arrow keys move one pixel</source>
        <translation>Click or Enter to pick, Escape to cancel, arrow keys move one pixel</translation>
    </message>
</context>
<context>
    <name>PortalColourPicker</name>
    <message>
        <source>The desktop portal could not pick a colour: %1</source>
        <translation>The desktop portal could not pick a colour: %1</translation>
    </message>
    <message>
        <source>The desktop portal&apos;s answer cannot be awaited.</source>
        <translation>The desktop portal&apos;s answer cannot be awaited.</translation>
    </message>
    <message>
        <source>The desktop portal ended the pick without a colour.</source>
        <translation>The desktop portal ended the pick without a colour.</translation>
    </message>
    <message>
        <source>The desktop portal answered without a valid colour.</source>
        <translation>The desktop portal answered without a valid colour.</translation>
    </message>
</context>
<context>
    <name>ScreenColourPicker</name>
    <message>
        <source>Picking from the screen needs a desktop portal with a screenshot service.</source>
        <translation>Picking from the screen needs a desktop portal with a screenshot service.</translation>
    </message>
    <message>
        <source>The screen could not be read.</source>
        <translation>The screen could not be read.</translation>
    </message>
</context>
<context>
    <name>SwatchFocus</name>
    <message>
        <source>Colour swatch</source>
        <translation>Colour swatch</translation>
    </message>
    <message>
        <source>The current colour: drag it anywhere, or right-click it (Menu key, Shift+F10) to copy it in another notation, paste or pick one</source>
        <translation>The current colour: drag it anywhere, or right-click it (Menu key, Shift+F10) to copy it in another notation, paste or pick one</translation>
    </message>
</context>
</TS>
