<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="bg_BG">
<context>
    <name>CommandLine</name>
    <message>
        <source>not a regular file; nothing was written</source>
        <translation>не е обикновен файл; нищо не е записано</translation>
    </message>
    <message>
        <source>the file is read-only; it was left as it was</source>
        <translation>файлът е само за четене; оставен е какъвто беше</translation>
    </message>
    <message>
        <source>cannot be written; what was there is left as it was</source>
        <translation>не може да бъде записан; каквото имаше, е оставено както беше</translation>
    </message>
    <message>
        <source>no such unit (мм, см, дм, м or mm, cm, dm, m)</source>
        <translation>няма такава мерна единица (мм, см, дм, м или mm, cm, dm, m)</translation>
    </message>
    <message>
        <source>no such grade (5, 6 or 7)</source>
        <translation>няма такъв клас (5, 6 или 7)</translation>
    </message>
    <message>
        <source>no such rounding (1, 2, 3 or 7 decimals)</source>
        <translation>няма такова закръгляне (1, 2, 3 или 7 знака след десетичната запетая)</translation>
    </message>
    <message>
        <source>given twice</source>
        <translation>е дадено два пъти</translation>
    </message>
    <message>
        <source>only with --pdf</source>
        <translation>само с --pdf</translation>
    </message>
    <message>
        <source>only with --solve</source>
        <translation>само със --solve</translation>
    </message>
    <message>
        <source>unexpected argument '%1'</source>
        <translation>неочакван аргумент „%1“</translation>
    </message>
    <message>
        <source>(%1 --help lists the options)</source>
        <translation>(%1 --help изброява възможностите)</translation>
    </message>
    <message>
        <source>no solution</source>
        <translation>няма решение</translation>
    </message>
    <message>
        <source>Ctrl++ (or Ctrl+=) enlarges the window, up to 300 % for a projector;
Ctrl+- makes it smaller again and Ctrl+0 gives it its normal size.
Ctrl with the mouse wheel, or a right click on the window's background,
does the same. The step is kept for the next start, with whether the
window was maximised: in ~/.config/%1/%2.conf on Linux, under
HKEY_CURRENT_USER\Software\%1\%2 on Windows.

F2 opens the worked solution beside the window, to copy, print or save;
F3 a window where any problem about the box is written as in the notebook.</source>
        <translation>Ctrl++ (или Ctrl+=) уголемява прозореца до 300 % за проектор;
Ctrl+- го смалява отново, а Ctrl+0 му връща обичайния размер.
Същото правят Ctrl с колелцето на мишката и десен бутон върху фона на
прозореца. Стъпката се пази за следващото пускане, заедно с това дали
прозорецът е бил на цял екран: в ~/.config/%1/%2.conf
под Linux и в HKEY_CURRENT_USER\Software\%1\%2 под Windows.

F2 отваря решението до прозореца, за копиране, печат или запис;
F3 — прозорец, в който всяка задача за паралелепипеда се пише както
в тетрадката.</translation>
    </message>
    <message>
        <source>Print the worked solution of a box problem and exit: 0 solved, 1 where the data describe no box or contradict each other, 2 for a wrong item or missing data. Each argument is one item: a quantity and its value with its unit, a (ръб), b, c, S (околна повърхнина), S₁ or S1 (пълна повърхнина), V (обем), B (лице на основата), P (периметър на основата), d (диагонал), L (сбор от ръбовете); an edge given by another (b=2a, c=b-1); what is sought (V=?); куб, квадратна основа. Units: мм, см, дм, м (mm, cm, dm, m), with ² or ³ (2, 3), л, мл (l, ml). Examples:
  --solve a=3 b=4 V=50
  --solve "S₁ = 54 см²" --cube "V = ?"
  --solve "a = 3 дм" "b = 2 дм 5 см" "c = 2 дм" "V = ?"</source>
        <translation>Отпечатва решението на задача за паралелепипед и завършва: 0 при решение, 1 когато данните не описват паралелепипед или си противоречат, 2 при грешен запис или липсващи данни. Всеки аргумент е един запис: величина и стойност с мерната ѝ единица, a (ръб), b, c, S (околна повърхнина), S₁ или S1 (пълна повърхнина), V (обем), B (лице на основата), P (периметър на основата), d (диагонал), L (сбор от ръбовете); ръб, даден чрез друг (b=2a, c=b-1); търсеното (V=?); куб, квадратна основа. Мерни единици: мм, см, дм, м (mm, cm, dm, m), с ² или ³ (2, 3), л, мл (l, ml). Примери:
  --solve a=3 b=4 V=50
  --solve "S₁ = 54 см²" --cube "V = ?"
  --solve "a = 3 дм" "b = 2 дм 5 см" "c = 2 дм" "V = ?"</translation>
    </message>
    <message>
        <source>With --solve: the box is a cube.</source>
        <translation>Със --solve: паралелепипедът е куб.</translation>
    </message>
    <message>
        <source>With --solve: the box has a square base (a = b).</source>
        <translation>Със --solve: основата е квадрат (a = b).</translation>
    </message>
    <message>
        <source>With --solve: the unit of the lengths, мм, см, дм or м (or mm, cm, dm, m).</source>
        <translation>Със --solve: мерната единица за дължина, мм, см, дм или м (или mm, cm, dm, m).</translation>
    </message>
    <message>
        <source>With --solve: written for grade 5, 6 or 7 (5 when not given).</source>
        <translation>Със --solve: решение за 5., 6. или 7. клас (5., ако не е дадено).</translation>
    </message>
    <message>
        <source>With --solve: approximate values to 1, 2 or 3 decimals, or 7 as the window's fields (2 when not given).</source>
        <translation>Със --solve: приблизителните стойности с 1, 2 или 3 знака след запетаята, или със 7 като полетата на прозореца (2, ако не е дадено).</translation>
    </message>
    <message>
        <source>With --solve: write the solution's page to this PDF file instead of printing it.</source>
        <translation>Със --solve: записва страницата с решението в този PDF файл, вместо да я отпечата.</translation>
    </message>
    <message>
        <source>With --solve and --pdf: add the net of the box (развивка) on a page of its own, at its true size where --unit gives one and it fits, else to scale.</source>
        <translation>Със --solve и --pdf: добавя развивката на паралелепипеда на отделна страница, в истински размер, когато --unit дава единица и тя се побира, иначе в мащаб.</translation>
    </message>
    <message>
        <source>one more than the three quantities a box is given by</source>
        <translation>едно повече от трите величини, с които се задава паралелепипед</translation>
    </message>
    <message>
        <source>write a quantity as letter=value, as in a=3</source>
        <translation>величината се пише като буква=стойност, например a=3</translation>
    </message>
    <message>
        <source>no quantity of that name (a, b, c, S or V)</source>
        <translation>няма величина с това име (a, b, c, S или V)</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 е дадено два пъти</translation>
    </message>
    <message>
        <source>'%1' is not a positive number</source>
        <translation>„%1“ не е положително число</translation>
    </message>
    <message>
        <source>'%1' is too large for the computer</source>
        <translation>„%1“ е твърде голямо за компютъра</translation>
    </message>
    <message>
        <source>'%1' is too close to zero for the computer</source>
        <translation>„%1“ е твърде близо до нулата за компютъра</translation>
    </message>
    <message>
        <source>three quantities are needed (as in a=3 b=4 V=50), %1 given</source>
        <translation>нужни са три величини (например a=3 b=4 V=50), дадени са %1</translation>
    </message>
    <message>
        <source>Sides, height, lateral surface and volume of a rectangular box</source>
        <translation>Страни, височина, околна повърхнина и обем на правоъгълен паралелепипед</translation>
    </message>
    <message>
        <source>cannot open a window: %1</source>
        <translation>не може да отвори прозорец: %1</translation>
    </message>
    <message>
        <source>no display. Set DISPLAY, or run it under xvfb-run.</source>
        <translation>няма екран. Задайте DISPLAY или го пуснете чрез xvfb-run.</translation>
    </message>
    <message>
        <source>the window system could not be reached. Check DISPLAY, or choose another with -platform (xcb, wayland, offscreen); Qt&apos;s plugins are in qt6-qpa-plugins.</source>
        <translation>прозоречната система е недостъпна. Проверете DISPLAY или изберете друга с -platform (xcb, wayland, offscreen); приставките на Qt са в qt6-qpa-plugins.</translation>
    </message>
    <message>
        <source>Print a worksheet of this many tasks for the grade (--grade), numbered, each with room to work, then the answers, each task&apos;s data as --solve takes them and its answer; with --pdf, A4 pages with the answers on the last. The same seed gives the same tasks.</source>
        <translation>Отпечатва работен лист с толкова задачи за класа (--grade), номерирани, с място за решаване под всяка, после отговорите: данните на всяка задача, както ги приема --solve, и отговорът ѝ; с --pdf — страници A4 с отговорите на последната. Едно и също число дава едни и същи задачи.</translation>
    </message>
    <message>
        <source>With --worksheet: the tasks&apos; seed, a whole number (1 when not given).</source>
        <translation>С --worksheet: числото, от което се теглят задачите, цяло число (1, ако не е дадено).</translation>
    </message>
    <message>
        <source>With --worksheet: only tasks of these kinds, their numbers separated by commas (1 to %1).</source>
        <translation>С --worksheet: само задачи от тези видове, номерата им, разделени със запетаи (от 1 до %1).</translation>
    </message>
    <message>
        <source>not a number of tasks (1 to 100)</source>
        <translation>не е брой задачи (от 1 до 100)</translation>
    </message>
    <message>
        <source>not a whole number</source>
        <translation>не е цяло число</translation>
    </message>
    <message>
        <source>no such kinds (numbers from 1 to %1, separated by commas)</source>
        <translation>няма такива видове (номера от 1 до %1, разделени със запетаи)</translation>
    </message>
    <message>
        <source>only with --worksheet</source>
        <translation>само с --worksheet</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Показва помощ за възможностите на командния ред.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Показва помощ, включително възможностите на Qt.</translation>
    </message>
</context>
</TS>
