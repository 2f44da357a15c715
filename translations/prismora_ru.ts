<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>ColourExchange</name>
    <message>
        <source>Copy colour</source>
        <translation>Копировать цвет</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Вставить</translation>
    </message>
    <message>
        <source>C&amp;opy As</source>
        <translation>&amp;Копировать как</translation>
    </message>
    <message>
        <source>Nearest sRGB</source>
        <translation>Ближайший в sRGB</translation>
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
        <translation>Палитра GIMP (*.gpl)</translation>
    </message>
    <message>
        <source>CSS custom properties, hex (*.css)</source>
        <translation>Пользовательские свойства CSS, hex (*.css)</translation>
    </message>
    <message>
        <source>CSS custom properties, oklch() (*.css)</source>
        <translation>Пользовательские свойства CSS, oklch() (*.css)</translation>
    </message>
    <message>
        <source>CSS custom properties, color(display-p3) (*.css)</source>
        <translation>Пользовательские свойства CSS, color(display-p3) (*.css)</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Палитра</translation>
    </message>
    <message>
        <source>New Palette</source>
        <translation>Новая палитра</translation>
    </message>
    <message>
        <source>Rename Palette…</source>
        <translation>Переименовать палитру…</translation>
    </message>
    <message>
        <source>Remove Palette</source>
        <translation>Удалить палитру</translation>
    </message>
    <message>
        <source>Add to Palette</source>
        <translation>Добавить в палитру</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>Import Palette…</source>
        <translation>Импортировать палитру…</translation>
    </message>
    <message>
        <source>Export Palette…</source>
        <translation>Экспортировать палитру…</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>Очистить историю</translation>
    </message>
    <message>
        <source>&amp;Colour</source>
        <translation>&amp;Цвет</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>Added %1 to the palette “%2”.</source>
        <translation>%1 добавлен в палитру «%2».</translation>
    </message>
    <message>
        <source>Rename Palette</source>
        <translation>Переименовать палитру</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Имя:</translation>
    </message>
    <message numerus="yes">
        <source>Remove the palette “%1” and its %n colour(s)?</source>
        <translation>
            <numerusform>Удалить палитру «%1» и её %n цвет?</numerusform>
            <numerusform>Удалить палитру «%1» и её %n цвета?</numerusform>
            <numerusform>Удалить палитру «%1» и её %n цветов?</numerusform>
        </translation>
    </message>
    <message>
        <source>Import Palette</source>
        <translation>Импорт палитры</translation>
    </message>
    <message>
        <source>Palettes (*.gpl *.css);;GIMP palettes (*.gpl);;CSS custom properties (*.css);;All files (*)</source>
        <translation>Палитры (*.gpl *.css);;Палитры GIMP (*.gpl);;Пользовательские свойства CSS (*.css);;Все файлы (*)</translation>
    </message>
    <message>
        <source>“%1” was not imported. %2</source>
        <translation>«%1» не импортирован. %2</translation>
    </message>
    <message numerus="yes">
        <source>Imported the palette “%1” with %n colour(s).</source>
        <translation>
            <numerusform>Импортирована палитра «%1»: %n цвет.</numerusform>
            <numerusform>Импортирована палитра «%1»: %n цвета.</numerusform>
            <numerusform>Импортирована палитра «%1»: %n цветов.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export Palette</source>
        <translation>Экспорт палитры</translation>
    </message>
    <message>
        <source>The palette could not be exported to %1: %2</source>
        <translation>Не удалось экспортировать палитру в %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n colour(s) to %1; %2 beyond sRGB were written clipped.</source>
        <translation>
            <numerusform>Экспортирован %n цвет в %1; цвета вне sRGB (%2) записаны обрезанными.</numerusform>
            <numerusform>Экспортировано %n цвета в %1; цвета вне sRGB (%2) записаны обрезанными.</numerusform>
            <numerusform>Экспортировано %n цветов в %1; цвета вне sRGB (%2) записаны обрезанными.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Exported %n colour(s) to %1.</source>
        <translation>
            <numerusform>Экспортирован %n цвет в %1.</numerusform>
            <numerusform>Экспортировано %n цвета в %1.</numerusform>
            <numerusform>Экспортировано %n цветов в %1.</numerusform>
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
        <translation>Недавние цвета</translation>
    </message>
    <message>
        <source>Palette colours</source>
        <translation>Цвета палитры</translation>
    </message>
    <message>
        <source>Drop colours here, or add the current colour with Ctrl+D</source>
        <translation>Перетащите сюда цвета или добавьте текущий цвет сочетанием Ctrl+D</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Add to Palette</source>
        <translation>Добавить в палитру</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Переименовать</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>ColourMenus</name>
    <message>
        <source>&amp;Colour</source>
        <translation>&amp;Цвет</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Colour &amp;Notations</source>
        <translation>&amp;Записи цвета</translation>
    </message>
    <message>
        <source>&amp;About Prismora</source>
        <translation>&amp;О программе Prismora</translation>
    </message>
</context>
<context>
    <name>ColourStore</name>
    <message>
        <source>some of its colours are damaged</source>
        <translation>часть его цветов повреждена</translation>
    </message>
    <message>
        <source>some of its palettes are damaged</source>
        <translation>часть его палитр повреждена</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>это не файл</translation>
    </message>
    <message>
        <source>it is larger than %1 MiB</source>
        <translation>он больше %1 МиБ</translation>
    </message>
    <message>
        <source>it is not UTF-8 text</source>
        <translation>это не текст в UTF-8</translation>
    </message>
    <message>
        <source>it ends too soon</source>
        <translation>он обрывается раньше времени</translation>
    </message>
    <message>
        <source>it is not a file Prismora wrote</source>
        <translation>этот файл записан не Prismora</translation>
    </message>
    <message>
        <source>it was written by another version of Prismora</source>
        <translation>он записан другой версией Prismora</translation>
    </message>
    <message>
        <source>%1 could not be read (%2); it was kept as %3.</source>
        <translation>Не удалось прочитать %1 (%2); файл сохранён как %3.</translation>
    </message>
    <message>
        <source>%1 could not be read (%2) and could not be set aside; it is left as it is, and changes are not saved.</source>
        <translation>Не удалось ни прочитать %1 (%2), ни отложить его; файл оставлен как есть, изменения не сохраняются.</translation>
    </message>
    <message>
        <source>%1 could not be saved in %2: %3</source>
        <translation>Не удалось сохранить %1 в %2: %3</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Displays this help.</source>
        <translation>Показывает эту справку.</translation>
    </message>
    <message>
        <source>With --convert, rounds RGB to the nearest whole level, as CSS and browsers do, instead of truncating it.</source>
        <translation>С --convert округляет RGB до ближайшего целого уровня, как CSS и браузеры, а не отбрасывает дробную часть.</translation>
    </message>
    <message>
        <source>Give one colour; quote one with spaces, as in &apos;rgb(63 160 220)&apos;.</source>
        <translation>Укажите один цвет; цвет с пробелами возьмите в кавычки, например &apos;rgb(63 160 220)&apos;.</translation>
    </message>
    <message>
        <source>--json goes with --convert.</source>
        <translation>--json используется только вместе с --convert.</translation>
    </message>
    <message>
        <source>--round goes with --convert.</source>
        <translation>--round используется только вместе с --convert.</translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more.</source>
        <translation>Подробнее: &apos;%1 --help&apos;.</translation>
    </message>
    <message>
        <source>The line is longer than %1 bytes.</source>
        <translation>Строка длиннее %1 байт.</translation>
    </message>
    <message>
        <source>The line is not UTF-8 text.</source>
        <translation>Строка не является текстом в UTF-8.</translation>
    </message>
    <message>
        <source>Standard input could not be read.</source>
        <translation>Не удалось прочитать стандартный ввод.</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>строка %1</translation>
    </message>
    <message>
        <source>Shows a colour in RGB, CMYK, HSV, HSL, XYZ, CIE L*a*b*, CIE LCh, OKLab, OKLCh, Display P3 and Rec. 2020. Without --convert it starts the window, with COLOUR if one is given.

COLOUR is #rrggbb or #rgb (an alpha is read and ignored; the # is optional for 6 or 8 digits), a CSS colour name such as rebeccapurple, or rgb(), rgba(), hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch() or color() (in srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 or xyz-d65) as CSS writes them. Quote it for the shell.

With --convert, a colour that cannot be read is reported on standard error with its line or argument and the others are still converted; the exit status is then 2. For example: cut -f2 palette.tsv | prismora -c --format oklch</source>
        <translation>Показывает цвет в RGB, CMYK, HSV, HSL, XYZ, CIE L*a*b*, CIE LCh, OKLab, OKLCh, Display P3 и Rec. 2020. Без --convert запускает окно, с ЦВЕТОМ, если он задан.

ЦВЕТ — это #rrggbb или #rgb (альфа-канал читается и не учитывается; для 6 или 8 цифр # можно опустить), имя цвета CSS, например rebeccapurple, или rgb(), rgba(), hsl(), hsla(), hwb(), lab(), lch(), oklab(), oklch() или color() (в srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 или xyz-d65) в записи CSS. Заключите его в кавычки для оболочки.

С --convert цвет, который не удалось прочитать, выводится в стандартный поток ошибок с его строкой или аргументом, а остальные всё равно преобразуются; код завершения тогда 2. Например: cut -f2 palette.tsv | prismora -c --format oklch</translation>
    </message>
    <message>
        <source>Prints each COLOUR in every model, one line each, and exits; needs no window or display. After oklch come the lines p3 and rec2020: Display P3 and Rec. 2020, 0 to 1 within each space; last the line gamut: srgb, display-p3, rec2020 or beyond, the smallest that holds the colour. With - as COLOUR, or no COLOUR and standard input not a terminal, converts each line of standard input as it comes; blank lines are skipped.</source>
        <translation>Выводит каждый ЦВЕТ во всех моделях, по строке на модель, и завершается; окно и дисплей не нужны. После oklch идут строки p3 и rec2020: Display P3 и Rec. 2020, от 0 до 1 в каждом пространстве; последней — строка gamut: srgb, display-p3, rec2020 или beyond, наименьший охват, содержащий цвет. С - в качестве ЦВЕТА или без ЦВЕТА, когда стандартный ввод не терминал, преобразует каждую строку стандартного ввода по мере поступления; пустые строки пропускаются.</translation>
    </message>
    <message>
        <source>With --convert, prints one JSON object per colour, one line each, whose numbers keep full precision: input, the colour as given, the same names as keys, p3 and rec2020 included, then srgb_mapped, the nearest sRGB colour by CSS gamut mapping (equal to hex inside sRGB), and gamut. A colour that cannot be read gives input and error.</source>
        <translation>С --convert выводит по одному объекту JSON на цвет, по строке на каждый, числа в которых сохраняют полную точность: input — цвет как задан, те же имена в качестве ключей, включая p3 и rec2020, затем srgb_mapped — ближайший цвет sRGB по отображению охвата CSS (внутри sRGB равен hex), и gamut. Цвет, который не удалось прочитать, даёт input и error.</translation>
    </message>
    <message>
        <source>With --convert, prints only NAME for each colour, one line each, as the copy menu writes it: %1 (the nearest sRGB colour by CSS gamut mapping, as hex).</source>
        <translation>С --convert выводит для каждого цвета только ИМЯ, по строке на каждый, так, как пишет меню копирования: %1 (ближайший цвет sRGB по отображению охвата CSS, в виде hex).</translation>
    </message>
    <message>
        <source>The colour to start with, or the colours to convert.</source>
        <translation>Начальный цвет или цвета для преобразования.</translation>
    </message>
    <message>
        <source>--format goes with --convert.</source>
        <translation>--format используется вместе с --convert.</translation>
    </message>
    <message>
        <source>--format and --json exclude each other: give one.</source>
        <translation>--format и --json исключают друг друга: укажите один из них.</translation>
    </message>
    <message>
        <source>Unknown format &apos;%1&apos;; give one of %2.</source>
        <translation>Неизвестный формат «%1»; укажите один из: %2.</translation>
    </message>
    <message>
        <source>--convert needs a colour, or - to read colours from standard input.</source>
        <translation>--convert требует цвет или -, чтобы читать цвета со стандартного ввода.</translation>
    </message>
    <message>
        <source>No display to show the window on; use --convert to convert colours without one.</source>
        <translation>Нет дисплея, чтобы показать окно; для преобразования цветов без него используйте --convert.</translation>
    </message>
</context>
<context>
    <name>CssPalette</name>
    <message>
        <source>Line %1: %2</source>
        <translation>Строка %1: %2</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB.</source>
        <translation>Файл больше %1 МиБ.</translation>
    </message>
    <message>
        <source>it holds binary data.</source>
        <translation>в ней двоичные данные.</translation>
    </message>
    <message>
        <source>it is not UTF-8 text.</source>
        <translation>это не текст в UTF-8.</translation>
    </message>
    <message>
        <source>a comment is not closed.</source>
        <translation>комментарий не закрыт.</translation>
    </message>
    <message>
        <source>a custom property is &quot;--name: colour;&quot;.</source>
        <translation>пользовательское свойство записывается как &quot;--name: colour;&quot;.</translation>
    </message>
    <message>
        <source>a palette holds at most %1 colours.</source>
        <translation>в палитре может быть не более %1 цветов.</translation>
    </message>
    <message>
        <source>the file holds no custom property with a colour.</source>
        <translation>в файле нет пользовательского свойства с цветом.</translation>
    </message>
</context>
<context>
    <name>DisplaySettings</name>
    <message>
        <source>The settings in %1 could not be read; the defaults are in use.</source>
        <translation>Не удалось прочитать настройки в %1; действуют значения по умолчанию.</translation>
    </message>
    <message>
        <source>The settings in %1 could not be read or set aside; changes are not kept.</source>
        <translation>Не удалось ни прочитать, ни отложить настройки в %1; изменения не сохраняются.</translation>
    </message>
    <message>
        <source>The settings that could not be read were set aside as %1.</source>
        <translation>Настройки, которые не удалось прочитать, отложены как %1.</translation>
    </message>
</context>
<context>
    <name>GimpPalette</name>
    <message>
        <source>Line %1: %2</source>
        <translation>Строка %1: %2</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB.</source>
        <translation>Файл больше %1 МиБ.</translation>
    </message>
    <message>
        <source>it holds binary data.</source>
        <translation>в ней двоичные данные.</translation>
    </message>
    <message>
        <source>it is not UTF-8 text.</source>
        <translation>это не текст в UTF-8.</translation>
    </message>
    <message>
        <source>a GIMP palette begins with &quot;GIMP Palette&quot;.</source>
        <translation>палитра GIMP начинается с &quot;GIMP Palette&quot;.</translation>
    </message>
    <message>
        <source>Columns: takes a number from 0 to 256.</source>
        <translation>Columns: принимает число от 0 до 256.</translation>
    </message>
    <message>
        <source>a colour row is red, green and blue from 0 to 255, then a name.</source>
        <translation>строка цвета — это красный, зелёный и синий от 0 до 255, затем имя.</translation>
    </message>
    <message>
        <source>a palette holds at most %1 colours.</source>
        <translation>в палитре может быть не более %1 цветов.</translation>
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
        <translation>Параметры RGB имеют диапазон от 0 до 255</translation>
    </message>
    <message>
        <source>Red, 0 to 255</source>
        <translation>Красный, от 0 до 255</translation>
    </message>
    <message>
        <source>Green, 0 to 255</source>
        <translation>Зелёный, от 0 до 255</translation>
    </message>
    <message>
        <source>Blue, 0 to 255</source>
        <translation>Синий, от 0 до 255</translation>
    </message>
    <message>
        <source>C  M  Y  K  (%)</source>
        <translation>C  M  Y  K  (%)</translation>
    </message>
    <message>
        <source>параметры cmyk имеют диапозон от 0 до 100</source>
        <translation>Параметры CMYK имеют диапазон от 0 до 100</translation>
    </message>
    <message>
        <source>Cyan, 0 to 100 %</source>
        <translation>Голубой, от 0 до 100 %</translation>
    </message>
    <message>
        <source>Magenta, 0 to 100 %</source>
        <translation>Пурпурный, от 0 до 100 %</translation>
    </message>
    <message>
        <source>Yellow, 0 to 100 %</source>
        <translation>Жёлтый, от 0 до 100 %</translation>
    </message>
    <message>
        <source>Key (black), 0 to 100 %</source>
        <translation>Ключевой (чёрный), от 0 до 100 %</translation>
    </message>
    <message>
        <source>H°  S  V  (%)</source>
        <translation>H°  S  V  (%)</translation>
    </message>
    <message>
        <source>параметры hsv имеют диапозоны от (0-360, 0-100, 0-100)</source>
        <translation>Параметры HSV имеют диапазоны от 0 до 360, от 0 до 100 и от 0 до 100</translation>
    </message>
    <message>
        <source>Hue, 0 to 360 degrees</source>
        <translation>Тон, от 0 до 360 градусов</translation>
    </message>
    <message>
        <source>Saturation, 0 to 100 %</source>
        <translation>Насыщенность, от 0 до 100 %</translation>
    </message>
    <message>
        <source>Value, 0 to 100 %</source>
        <translation>Значение, от 0 до 100 %</translation>
    </message>
    <message>
        <source>H°  S  L  (%)</source>
        <translation>H°  S  L  (%)</translation>
    </message>
    <message>
        <source>параметры hsl имеют диапозоны от (0-360, 0-100, 0-100)</source>
        <translation>Параметры HSL имеют диапазоны от 0 до 360, от 0 до 100 и от 0 до 100</translation>
    </message>
    <message>
        <source>Lightness, 0 to 100 %</source>
        <translation>Светлота, от 0 до 100 %</translation>
    </message>
    <message>
        <source>X  Y  Z  (D65, Y 0-100)</source>
        <translation>X  Y  Z  (D65, Y 0-100)</translation>
    </message>
    <message>
        <source>параметры xyz имеют диапозоны от (0-255, 0-100, 0-108.9)</source>
        <translation>Параметры XYZ имеют диапазоны от 0 до 255, от 0 до 100 и от 0 до 108,9</translation>
    </message>
    <message>
        <source>X, 0 to 255</source>
        <translation>X, от 0 до 255</translation>
    </message>
    <message>
        <source>Y (luminance), 0 to 100</source>
        <translation>Y (яркость), от 0 до 100</translation>
    </message>
    <message>
        <source>Z, 0 to 108.9</source>
        <translation>Z, от 0 до 108,9</translation>
    </message>
    <message>
        <source>L*  a*  b*  (D65)</source>
        <translation>L*  a*  b*  (D65)</translation>
    </message>
    <message>
        <source>параметры lab имеют диапозоны от (0-100, -128-127, -128-127)</source>
        <translation>Параметры LAB имеют диапазоны от 0 до 100, от -128 до 127 и от -128 до 127</translation>
    </message>
    <message>
        <source>L* (lightness, D65 white), 0 to 100</source>
        <translation>L* (светлота, белый D65), от 0 до 100</translation>
    </message>
    <message>
        <source>a* (green to red, D65 white), -128 to 127</source>
        <translation>a* (от зелёного к красному, белый D65), от -128 до 127</translation>
    </message>
    <message>
        <source>b* (blue to yellow, D65 white), -128 to 127</source>
        <translation>b* (от синего к жёлтому, белый D65), от -128 до 127</translation>
    </message>
    <message>
        <source>L*  C*  h°  (D65)</source>
        <translation>L*  C*  h°  (D65)</translation>
    </message>
    <message>
        <source>параметры lch имеют диапозоны от (0-100, 0-200, 0-360)</source>
        <translation>Параметры LCH имеют диапазоны от 0 до 100, от 0 до 200 и от 0 до 360</translation>
    </message>
    <message>
        <source>C* (chroma, D65 white), 0 to 200</source>
        <translation>C* (цветность, белый D65), от 0 до 200</translation>
    </message>
    <message>
        <source>h (hue, D65 white), 0 to 360 degrees</source>
        <translation>h (тон, белый D65), от 0 до 360 градусов</translation>
    </message>
    <message>
        <source>L (%)  a  b</source>
        <translation>L (%)  a  b</translation>
    </message>
    <message>
        <source>параметры oklab имеют диапозоны от (0-100, -0.4-0.4, -0.4-0.4)</source>
        <translation>Параметры OKLAB имеют диапазоны от 0 до 100, от -0,4 до 0,4 и от -0,4 до 0,4</translation>
    </message>
    <message>
        <source>L (lightness), 0 to 100 %</source>
        <translation>L (светлота), от 0 до 100 %</translation>
    </message>
    <message>
        <source>a (green to red), -0.4 to 0.4</source>
        <translation>a (от зелёного к красному), от -0,4 до 0,4</translation>
    </message>
    <message>
        <source>b (blue to yellow), -0.4 to 0.4</source>
        <translation>b (от синего к жёлтому), от -0,4 до 0,4</translation>
    </message>
    <message>
        <source>L (%)  C  h°</source>
        <translation>L (%)  C  h°</translation>
    </message>
    <message>
        <source>параметры oklch имеют диапозоны от (0-100, 0-0.4, 0-360)</source>
        <translation>Параметры OKLCH имеют диапазоны от 0 до 100, от 0 до 0,4 и от 0 до 360</translation>
    </message>
    <message>
        <source>C (chroma), 0 to 0.4</source>
        <translation>C (цветность), от 0 до 0,4</translation>
    </message>
    <message>
        <source>h (hue), 0 to 360 degrees</source>
        <translation>h (тон), от 0 до 360 градусов</translation>
    </message>
    <message>
        <source>R  G  B  (0-1)</source>
        <translation>R  G  B  (0-1)</translation>
    </message>
    <message>
        <source>параметры display-p3 имеют диапозон от 0 до 1</source>
        <translation>Параметры Display P3 имеют диапазон от 0 до 1</translation>
    </message>
    <message>
        <source>Red (Display P3), 0 to 1</source>
        <translation>Красный (Display P3), от 0 до 1</translation>
    </message>
    <message>
        <source>Green (Display P3), 0 to 1</source>
        <translation>Зелёный (Display P3), от 0 до 1</translation>
    </message>
    <message>
        <source>Blue (Display P3), 0 to 1</source>
        <translation>Синий (Display P3), от 0 до 1</translation>
    </message>
    <message>
        <source>параметры rec2020 имеют диапозон от 0 до 1</source>
        <translation>Параметры Rec. 2020 имеют диапазон от 0 до 1</translation>
    </message>
    <message>
        <source>Red (Rec. 2020), 0 to 1</source>
        <translation>Красный (Rec. 2020), от 0 до 1</translation>
    </message>
    <message>
        <source>Green (Rec. 2020), 0 to 1</source>
        <translation>Зелёный (Rec. 2020), от 0 до 1</translation>
    </message>
    <message>
        <source>Blue (Rec. 2020), 0 to 1</source>
        <translation>Синий (Rec. 2020), от 0 до 1</translation>
    </message>
    <message>
        <source>That holds no colour.</source>
        <translation>Здесь нет цвета.</translation>
    </message>
    <message>
        <source>Outside sRGB</source>
        <translation>Вне sRGB</translation>
    </message>
    <message>
        <source>The colour as text: hex, a CSS colour name, rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() or color()</source>
        <translation>Цвет в виде текста: hex, имя цвета CSS, rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() или color()</translation>
    </message>
    <message>
        <source>Colour notation</source>
        <translation>Запись цвета</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>RGB whole numbers</source>
        <translation>Целые числа RGB</translation>
    </message>
    <message>
        <source>Truncate (as the classic converter)</source>
        <translation>Отбрасывать дробную часть (как классический конвертер)</translation>
    </message>
    <message>
        <source>Round to nearest (as CSS and browsers)</source>
        <translation>Округлять до ближайшего (как CSS и браузеры)</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Знаки после запятой</translation>
    </message>
    <message>
        <source>6 significant digits</source>
        <translation>6 значащих цифр</translation>
    </message>
    <message>
        <source>1 decimal</source>
        <translation>Знаков после запятой: 1</translation>
    </message>
    <message>
        <source>%1 decimals</source>
        <translation>Знаков после запятой: %1</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Outside Display P3</source>
        <translation>Вне Display P3</translation>
    </message>
    <message>
        <source>Outside Rec. 2020</source>
        <translation>Вне Rec. 2020</translation>
    </message>
    <message>
        <source>clipped %1, nearest by CSS gamut mapping %2</source>
        <translation>обрезанный %1, ближайший по отображению охвата CSS %2</translation>
    </message>
    <message>
        <source>Ууууууупс :( !Ошибка!</source>
        <translation>Значение вне диапазона</translation>
    </message>
    <message>
        <source>Choose a colour with the desktop&apos;s colour chooser</source>
        <translation>Выбрать цвет в диалоге выбора цвета рабочего стола</translation>
    </message>
    <message>
        <source>&amp;Choose Colour…</source>
        <translation>Вы&amp;брать цвет…</translation>
    </message>
    <message>
        <source>Pick from &amp;Screen</source>
        <translation>Взять с &amp;экрана</translation>
    </message>
</context>
<context>
    <name>MainWindowForm</name>
    <message>
        <source>MainWindow</source>
        <translation>Главное окно</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>Выбрать</translation>
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
        <translation>rgb() принимает три числа от 0 до 255 или три процента, например rgb(63, 160, 220) или rgb(63 160 220 / 50%).</translation>
    </message>
    <message>
        <source>hsl() takes a hue, a saturation and a lightness, as in hsl(203, 70%, 55%) or hsl(203deg 70% 55%).</source>
        <translation>hsl() принимает тон, насыщенность и светлоту, например hsl(203, 70%, 55%) или hsl(203deg 70% 55%).</translation>
    </message>
    <message>
        <source>hwb() takes a hue, a whiteness and a blackness separated by spaces, as in hwb(203 25% 14%).</source>
        <translation>hwb() принимает тон, долю белого и долю чёрного через пробел, например hwb(203 25% 14%).</translation>
    </message>
    <message>
        <source>lab() takes a lightness and the a and b axes separated by spaces, as in lab(62.2 -14.3 -39.4).</source>
        <translation>lab() принимает светлоту и оси a и b через пробел, например lab(62.2 -14.3 -39.4).</translation>
    </message>
    <message>
        <source>lch() takes a lightness, a chroma and a hue separated by spaces, as in lch(62.2 41.9 250).</source>
        <translation>lch() принимает светлоту, цветность и тон через пробел, например lch(62.2 41.9 250).</translation>
    </message>
    <message>
        <source>oklab() takes a lightness and the a and b axes separated by spaces, as in oklab(67.5% -0.063 -0.109).</source>
        <translation>oklab() принимает светлоту и оси a и b через пробел, например oklab(67.5% -0.063 -0.109).</translation>
    </message>
    <message>
        <source>oklch() takes a lightness, a chroma and a hue separated by spaces, as in oklch(67.5% 0.126 240).</source>
        <translation>oklch() принимает светлоту, цветность и тон через пробел, например oklch(67.5% 0.126 240).</translation>
    </message>
    <message>
        <source>color() takes a colour space and three numbers or percentages separated by spaces, as in color(display-p3 0.25 0.62 0.85). Its spaces are srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 and xyz-d65.</source>
        <translation>color() принимает цветовое пространство и три числа или процента через пробел, например color(display-p3 0.25 0.62 0.85). Пространства: srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50 и xyz-d65.</translation>
    </message>
    <message>
        <source>Not a colour. Use a hex colour (#rgb or #rrggbb, alpha allowed, the # optional for 6 or 8 digits), a CSS colour name, or one of %1.</source>
        <translation>Это не цвет. Введите шестнадцатеричный цвет (#rgb или #rrggbb, можно с альфа-каналом, # необязателен для 6 или 8 цифр), имя цвета CSS или одну из записей: %1.</translation>
    </message>
    <message>
        <source>%1() is not a notation Prismora reads. Use %2.</source>
        <translation>Prismora не читает запись %1(). Используйте %2.</translation>
    </message>
    <message>
        <source>A hex colour has 3, 4, 6 or 8 hex digits after the #.</source>
        <translation>В шестнадцатеричном цвете после # стоят 3, 4, 6 или 8 шестнадцатеричных цифр.</translation>
    </message>
    <message>
        <source>Transparent is not accepted: Prismora has no transparency.</source>
        <translation>Прозрачный цвет не принимается: в Prismora нет прозрачности.</translation>
    </message>
    <message>
        <source>The alpha value was ignored: Prismora has no transparency.</source>
        <translation>Значение альфа-канала не учтено: в Prismora нет прозрачности.</translation>
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
        <translation>Шестнадцатеричный цвет содержит 3, 4, 6 или 8 шестнадцатеричных цифр, например #3fa0dc; для 6 или 8 цифр # можно опустить. Альфа-канал читается и не учитывается.</translation>
    </message>
    <message>
        <source>A CSS colour name, as in navy or rebeccapurple, in any case.</source>
        <translation>Имя цвета CSS, например navy или rebeccapurple, в любом регистре.</translation>
    </message>
</context>
<context>
    <name>PaletteBook</name>
    <message>
        <source>Palette</source>
        <translation>Палитра</translation>
    </message>
    <message>
        <source>My colours</source>
        <translation>Мои цвета</translation>
    </message>
</context>
<context>
    <name>PaletteFiles</name>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Это папка, а не файл.</translation>
    </message>
    <message>
        <source>There is no such file.</source>
        <translation>Такого файла нет.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB.</source>
        <translation>Файл больше %1 МиБ.</translation>
    </message>
</context>
<context>
    <name>PalettePanel</name>
    <message>
        <source>Palettes</source>
        <translation>Палитры</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Палитра</translation>
    </message>
    <message>
        <source>New, rename, remove, import and export palettes</source>
        <translation>Создание, переименование, удаление, импорт и экспорт палитр</translation>
    </message>
</context>
<context>
    <name>PickLoupe</name>
    <message>
        <source>Click or Enter to pick, Escape to cancel, arrow keys move one pixel</source>
        <translation>Щелчок или Enter — взять цвет, Escape — отмена, стрелки сдвигают на один пиксель</translation>
    </message>
</context>
<context>
    <name>PortalColourPicker</name>
    <message>
        <source>The desktop portal could not pick a colour: %1</source>
        <translation>Портал рабочего стола не смог выбрать цвет: %1</translation>
    </message>
    <message>
        <source>The desktop portal&apos;s answer cannot be awaited.</source>
        <translation>Дождаться ответа портала рабочего стола невозможно.</translation>
    </message>
    <message>
        <source>The desktop portal ended the pick without a colour.</source>
        <translation>Портал рабочего стола завершил выбор без цвета.</translation>
    </message>
    <message>
        <source>The desktop portal answered without a valid colour.</source>
        <translation>Портал рабочего стола не вернул допустимый цвет.</translation>
    </message>
</context>
<context>
    <name>ScreenColourPicker</name>
    <message>
        <source>Picking from the screen needs a desktop portal with a screenshot service.</source>
        <translation>Чтобы взять цвет с экрана, нужен портал рабочего стола со службой снимков экрана.</translation>
    </message>
    <message>
        <source>The screen could not be read.</source>
        <translation>Не удалось прочитать экран.</translation>
    </message>
</context>
<context>
    <name>SwatchFocus</name>
    <message>
        <source>Colour swatch</source>
        <translation>Образец цвета</translation>
    </message>
    <message>
        <source>The current colour: drag it anywhere, or right-click it (Menu key, Shift+F10) to copy it in another notation, paste or pick one</source>
        <translation>Текущий цвет: перетащите его куда угодно или щёлкните правой кнопкой (клавиша меню, Shift+F10), чтобы скопировать его в другой записи, вставить или взять цвет</translation>
    </message>
</context>
</TS>
