<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Alias</name>
    <message>
        <source>Alias %1: %2</source>
        <translation>Alias %1: %2</translation>
    </message>
    <message>
        <source>directory &quot;%1&quot; (%2) does not exist</source>
        <translation>directory &quot;%1&quot; (%2) does not exist</translation>
    </message>
    <message>
        <source>from --data</source>
        <translation>from --data</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>from %1</translation>
    </message>
    <message>
        <source>not defined; give --data DIR or set %1</source>
        <translation>not defined; give --data DIR or set %1</translation>
    </message>
    <message>
        <source>the bundled sample database; not built?</source>
        <translation>the bundled sample database; not built?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>%1 needs a file name</source>
        <translation>%1 needs a file name</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>an export option needs an order number</source>
        <translation>an export option needs an order number</translation>
    </message>
    <message>
        <source>give either an order number or --view with a page file, not both</source>
        <translation>give either an order number or --view with a page file, not both</translation>
    </message>
    <message>
        <source>Usage: ordemcompra [ORDER] [options]
Prints a purchase order: without an export option it shows the order in the preview window
(asking for the number when ORDER is missing).

  --pdf FILE        prepare the order and write it as a PDF file, no window
  --xls FILE        the same as a spreadsheet (XLS)
  --rpf FILE        the same as a page file (.rpf)
  --print [NAME]    print on the default (or named) printer, no window
  --data DIR        read the tables from DIR instead of the KORVANE alias
  --view FILE.rpf   show a saved page file in the preview window; with --pdf, --xls,
                    --rpf or --print write it instead of an order, no window
  --help            this text
  --version         the program&apos;s and the library&apos;s version

The alias KORVANE is --data DIR, else $QUIREL_ALIAS_KORVANE, else the bundled sample database.
A FILE of - is standard output; a pipe or a device is written into, never replaced by a file.
Export runs exit with 0 on success, 1 when the order does not exist, 2 on any other failure.
</source>
        <translation>Usage: ordemcompra [ORDER] [options]
Prints a purchase order: without an export option it shows the order in the preview window
(asking for the number when ORDER is missing).

  --pdf FILE        prepare the order and write it as a PDF file, no window
  --xls FILE        the same as a spreadsheet (XLS)
  --rpf FILE        the same as a page file (.rpf)
  --print [NAME]    print on the default (or named) printer, no window
  --data DIR        read the tables from DIR instead of the KORVANE alias
  --view FILE.rpf   show a saved page file in the preview window; with --pdf, --xls,
                    --rpf or --print write it instead of an order, no window
  --help            this text
  --version         the program&apos;s and the library&apos;s version

The alias KORVANE is --data DIR, else $QUIREL_ALIAS_KORVANE, else the bundled sample database.
A FILE of - is standard output; a pipe or a device is written into, never replaced by a file.
Export runs exit with 0 on success, 1 when the order does not exist, 2 on any other failure.
</translation>
    </message>
</context>
<context>
    <name>OrdemCompra</name>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the page file &quot;%2&quot; being converted. Choose another output file; the page file was left unchanged.</source>
        <translation>Refused to write &quot;%1&quot;: it is the page file &quot;%2&quot; being converted. Choose another output file; the page file was left unchanged.</translation>
    </message>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the table &quot;%2&quot; the order is read from. Choose another output file; the table was left unchanged.</source>
        <translation>Refused to write &quot;%1&quot;: it is the table &quot;%2&quot; the order is read from. Choose another output file; the table was left unchanged.</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>aborted</translation>
    </message>
    <message>
        <source>no display to show the order on (DISPLAY and WAYLAND_DISPLAY are not set); write it with --pdf, --xls or --rpf instead</source>
        <translation>no display to show the order on (DISPLAY and WAYLAND_DISPLAY are not set); write it with --pdf, --xls or --rpf instead</translation>
    </message>
    <message>
        <source>the %1 platform (QT_QPA_PLATFORM) shows no window, so the order cannot be shown; write it with --pdf, --xls or --rpf instead, or unset QT_QPA_PLATFORM on a display</source>
        <translation>the %1 platform (QT_QPA_PLATFORM) shows no window, so the order cannot be shown; write it with --pdf, --xls or --rpf instead, or unset QT_QPA_PLATFORM on a display</translation>
    </message>
</context>
<context>
    <name>OrderTables</name>
    <message>
        <source>No business table named %1</source>
        <translation>No business table named %1</translation>
    </message>
</context>
<context>
    <name>OutputFiles</name>
    <message>
        <source>it is a block device (a disk); a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>it is a block device (a disk); a report is written only into a file, a pipe or a character device such as a terminal</translation>
    </message>
    <message>
        <source>it is a socket; a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>it is a socket; a report is written only into a file, a pipe or a character device such as a terminal</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>The picture declares %1 x %2 pixels, more than the %3 million a picture may have</source>
        <translation>The picture declares %1 x %2 pixels, more than the %3 million a picture may have</translation>
    </message>
</context>
<context>
    <name>PictureData</name>
    <message>
        <source>Damaged picture</source>
        <translation>Damaged picture</translation>
    </message>
</context>
<context>
    <name>SaveFiles</name>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 is not a folder</translation>
    </message>
    <message>
        <source>it is a folder; give a file name</source>
        <translation>it is a folder; give a file name</translation>
    </message>
    <message>
        <source>you may not write in the folder %1</source>
        <translation>you may not write in the folder %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>TDataSet</name>
    <message>
        <source>a master link may not lead back to the dataset itself</source>
        <translation>a master link may not lead back to the dataset itself</translation>
    </message>
    <message>
        <source>add field &quot;%1&quot;</source>
        <translation>add field &quot;%1&quot;</translation>
    </message>
    <message>
        <source>index field &quot;%1&quot; not found</source>
        <translation>index field &quot;%1&quot; not found</translation>
    </message>
    <message>
        <source>master fields &quot;%1&quot; need as many index fields, but the index is &quot;%2&quot;</source>
        <translation>master fields &quot;%1&quot; need as many index fields, but the index is &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; not found</source>
        <translation>%1: field &quot;%2&quot; not found</translation>
    </message>
    <message>
        <source>%1: duplicate field &quot;%2&quot;</source>
        <translation>%1: duplicate field &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: cannot %2 while the dataset is open</source>
        <translation>%1: cannot %2 while the dataset is open</translation>
    </message>
    <message>
        <source>%1: record %2, field &quot;%3&quot;: &quot;%4&quot; is not a valid %5 value</source>
        <translation>%1: record %2, field &quot;%3&quot;: &quot;%4&quot; is not a valid %5 value</translation>
    </message>
    <message>
        <source>%1: a record needs %2 values, %3 given</source>
        <translation>%1: a record needs %2 values, %3 given</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; holds no picture: %3</source>
        <translation>%1: field &quot;%2&quot; holds no picture: %3</translation>
    </message>
    <message>
        <source>change DatabaseName</source>
        <translation>change DatabaseName</translation>
    </message>
    <message>
        <source>change DataDirectory</source>
        <translation>change DataDirectory</translation>
    </message>
    <message>
        <source>change TableName</source>
        <translation>change TableName</translation>
    </message>
    <message>
        <source>no TableName</source>
        <translation>no TableName</translation>
    </message>
</context>
<context>
    <name>TParadoxReader</name>
    <message>
        <source>Paradox table &quot;%1&quot;: %2</source>
        <translation>Paradox table &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Paradox table &quot;%1&quot;, record %2, field &quot;%3&quot;: %4</source>
        <translation>Paradox table &quot;%1&quot;, record %2, field &quot;%3&quot;: %4</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: the declared field &quot;%2&quot; (%3) is not in the stored table</source>
        <translation>Table &quot;%1&quot;: the declared field &quot;%2&quot; (%3) is not in the stored table</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: field &quot;%2&quot; is declared %3 but stored as %4</source>
        <translation>Table &quot;%1&quot;: field &quot;%2&quot; is declared %3 but stored as %4</translation>
    </message>
    <message>
        <source>the block chain ends at block %1 with %2 of the %3 records the header counts</source>
        <translation>the block chain ends at block %1 with %2 of the %3 records the header counts</translation>
    </message>
    <message>
        <source>damaged: %1; the other records are lost</source>
        <translation>damaged: %1; the other records are lost</translation>
    </message>
    <message>
        <source>damaged: %1; all %2 records were read from the blocks in file order</source>
        <translation>damaged: %1; all %2 records were read from the blocks in file order</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>a FIFO</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>a character device</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>a block device</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>a directory</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>cannot be opened: %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>cannot be read: %1</translation>
    </message>
    <message>
        <source>is %1, not a table file; refused</source>
        <translation>is %1, not a table file; refused</translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 the format allows; refused</source>
        <translation>%1 bytes, more than the %2 the format allows; refused</translation>
    </message>
    <message>
        <source>the blob file %1 is missing</source>
        <translation>the blob file %1 is missing</translation>
    </message>
</context>
<context>
    <name>TRLByteReader</name>
    <message>
        <source>%1: %2 at byte %3: %4</source>
        <translation>%1: %2 at byte %3: %4</translation>
    </message>
    <message>
        <source>negative length %1</source>
        <translation>negative length %1</translation>
    </message>
    <message>
        <source>%1 byte(s) needed, %2 left</source>
        <translation>%1 byte(s) needed, %2 left</translation>
    </message>
    <message>
        <source>the data ends early (%1)</source>
        <translation>the data ends early (%1)</translation>
    </message>
    <message>
        <source>negative count %1</source>
        <translation>negative count %1</translation>
    </message>
    <message>
        <source>%1 items of at least %2 bytes do not fit in the %3 bytes left</source>
        <translation>%1 items of at least %2 bytes do not fit in the %3 bytes left</translation>
    </message>
    <message>
        <source>position %1 is outside the %2 bytes</source>
        <translation>position %1 is outside the %2 bytes</translation>
    </message>
    <message>
        <source>cannot seek to %1 (%2)</source>
        <translation>cannot seek to %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TRLByteWriter</name>
    <message>
        <source>Cannot write %1: a string of %2 bytes exceeds the 32-bit length field</source>
        <translation>Cannot write %1: a string of %2 bytes exceeds the 32-bit length field</translation>
    </message>
    <message>
        <source>Cannot write %1: a body of %2 bytes exceeds the 32-bit size field</source>
        <translation>Cannot write %1: a body of %2 bytes exceeds the 32-bit size field</translation>
    </message>
    <message>
        <source>Cannot write %1: position %2 is outside the %3 bytes written</source>
        <translation>Cannot write %1: position %2 is outside the %3 bytes written</translation>
    </message>
</context>
<context>
    <name>TRLCustomFilter</name>
    <message>
        <source>Page %1 could not be read back from the temporary page file; the output would be incomplete</source>
        <translation>Page %1 could not be read back from the temporary page file; the output would be incomplete</translation>
    </message>
</context>
<context>
    <name>TRLGraphicStorage</name>
    <message>
        <source>page %1 in the temporary page file %2</source>
        <translation>page %1 in the temporary page file %2</translation>
    </message>
    <message>
        <source>Cannot write the page file: page %1 would start at byte %2, beyond the 2 GiB that its 32-bit offset can address</source>
        <translation>Cannot write the page file: page %1 would start at byte %2, beyond the 2 GiB that its 32-bit offset can address</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Cannot create %1: %2</translation>
    </message>
    <message>
        <source>the page file</source>
        <translation>the page file</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>not a page file (&quot;RLGraphicStorage3&quot; expected)</source>
        <translation>not a page file (&quot;RLGraphicStorage3&quot; expected)</translation>
    </message>
    <message>
        <source>%1 x %2 mm is outside 0 to %3 mm on a side</source>
        <translation>%1 x %2 mm is outside 0 to %3 mm on a side</translation>
    </message>
</context>
<context>
    <name>TRLGraphicSurface</name>
    <message>
        <source>%1 x %2 dots is outside 0 to %3 on a side</source>
        <translation>%1 x %2 dots is outside 0 to %3 on a side</translation>
    </message>
</context>
<context>
    <name>TRLPDFFilter</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>No file name was given.</source>
        <translation>No file name was given.</translation>
    </message>
    <message>
        <source>Cannot write the PDF file: %1</source>
        <translation>Cannot write the PDF file: %1</translation>
    </message>
</context>
<context>
    <name>TRLPreviewForm</name>
    <message>
        <source>Page thumbnails</source>
        <translation>Page thumbnails</translation>
    </message>
</context>
<context>
    <name>TRLPreviewThumbnails</name>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
</context>
<context>
    <name>TRLPrintDialog</name>
    <message>
        <source>No printer is installed. Install one, or save the pages as a file instead.</source>
        <translation>No printer is installed. Install one, or save the pages as a file instead.</translation>
    </message>
</context>
<context>
    <name>TRLPrinterWrapper</name>
    <message>
        <source>The printer canvas exists only between BeginDoc and EndDoc</source>
        <translation>The printer canvas exists only between BeginDoc and EndDoc</translation>
    </message>
</context>
<context>
    <name>TRLXLSFilter</name>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Cannot create %1: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: the workbook stream of %2 bytes is larger than a compound document holds</source>
        <translation>Cannot write %1: the workbook stream of %2 bytes is larger than a compound document holds</translation>
    </message>
</context>
<context>
    <name>TempFiles</name>
    <message>
        <source>Cannot create a temporary file in &quot;%1&quot;: %2</source>
        <translation>Cannot create a temporary file in &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>pxdump</name>
    <message>
        <source>usage: pxdump [--json] TABLE.DB</source>
        <translation>usage: pxdump [--json] TABLE.DB</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>warning: %1</translation>
    </message>
</context>
</TS>
