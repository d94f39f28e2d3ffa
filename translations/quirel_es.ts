<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>Alias</name>
    <message>
        <source>Alias %1: %2</source>
        <translation>Alias %1 de la base de datos: %2</translation>
    </message>
    <message>
        <source>directory &quot;%1&quot; (%2) does not exist</source>
        <translation>la carpeta &quot;%1&quot; (%2) no existe; compruebe la ruta</translation>
    </message>
    <message>
        <source>from --data</source>
        <translation>indicada con --data</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>indicada en %1</translation>
    </message>
    <message>
        <source>not defined; give --data DIR or set %1</source>
        <translation>no definido; indique la carpeta con --data CARPETA o defina %1</translation>
    </message>
    <message>
        <source>the bundled sample database; not built?</source>
        <translation>la base de datos de ejemplo incluida; ¿se generó al compilar?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 necesita un valor</translation>
    </message>
    <message>
        <source>%1 needs a file name</source>
        <translation>%1 necesita un nombre de archivo</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opción desconocida %1</translation>
    </message>
    <message>
        <source>an export option needs an order number</source>
        <translation>indique el número de la orden de compra para exportar</translation>
    </message>
    <message>
        <source>give either an order number or --view with a page file, not both</source>
        <translation>indique un número de orden o --view con un archivo de páginas, no ambos</translation>
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
        <translation>Uso: ordemcompra [ORDEN] [opciones]
Imprime una orden de compra: sin opción de exportación, muestra la orden en la ventana de vista previa
(y pide el número cuando falta ORDEN).

  --pdf ARCHIVO     prepara la orden y la guarda como archivo PDF, sin ventana
  --xls ARCHIVO     lo mismo, como hoja de cálculo (XLS)
  --rpf ARCHIVO     lo mismo, como archivo de páginas (.rpf)
  --print [NOMBRE]  imprime en la impresora predeterminada (o en la indicada), sin ventana
  --data CARPETA    lee las tablas de CARPETA en lugar del alias KORVANE
  --view ARCH.rpf   muestra un archivo de páginas guardado en la ventana de vista previa; con
                    --pdf, --xls, --rpf o --print lo guarda en lugar de una orden, sin ventana
  --help            este texto
  --version         la versión del programa y de la biblioteca

El alias KORVANE es --data CARPETA; si no, $QUIREL_ALIAS_KORVANE; si no, la base de datos de ejemplo incluida.
ARCHIVO - es la salida estándar; una tubería o un dispositivo recibe los datos sin ser reemplazado por un archivo.
Al exportar, el programa termina con 0 si todo va bien, 1 si la orden no existe y 2 ante cualquier otro fallo.
</translation>
    </message>
</context>
<context>
    <name>OrdemCompra</name>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the page file &quot;%2&quot; being converted. Choose another output file; the page file was left unchanged.</source>
        <translation>Se rechazó escribir en &quot;%1&quot;: es el archivo de páginas &quot;%2&quot; que se está convirtiendo. Elija otro archivo de salida; el archivo de páginas no se modificó.</translation>
    </message>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the table &quot;%2&quot; the order is read from. Choose another output file; the table was left unchanged.</source>
        <translation>Se rechazó escribir en &quot;%1&quot;: es la tabla &quot;%2&quot;, de la que se lee la orden. Elija otro archivo de salida; la tabla no se modificó.</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>cancelado</translation>
    </message>
    <message>
        <source>no display to show the order on (DISPLAY and WAYLAND_DISPLAY are not set); write it with --pdf, --xls or --rpf instead</source>
        <translation>no hay pantalla para mostrar la orden; guárdela con --pdf, --xls o --rpf (DISPLAY y WAYLAND_DISPLAY no están definidas)</translation>
    </message>
    <message>
        <source>the %1 platform (QT_QPA_PLATFORM) shows no window, so the order cannot be shown; write it with --pdf, --xls or --rpf instead, or unset QT_QPA_PLATFORM on a display</source>
        <translation>la plataforma %1 (QT_QPA_PLATFORM) no muestra ventanas, así que la orden no puede mostrarse; guárdela con --pdf, --xls o --rpf, o quite QT_QPA_PLATFORM en una pantalla</translation>
    </message>
</context>
<context>
    <name>OrderTables</name>
    <message>
        <source>No business table named %1</source>
        <translation>No existe ninguna tabla de negocio llamada %1</translation>
    </message>
</context>
<context>
    <name>OutputFiles</name>
    <message>
        <source>it is a block device (a disk); a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>es un dispositivo de bloques (un disco); un informe solo se escribe en un archivo, una tubería o un dispositivo de caracteres, como un terminal</translation>
    </message>
    <message>
        <source>it is a socket; a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>es un socket; un informe solo se escribe en un archivo, una tubería o un dispositivo de caracteres, como un terminal</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>The picture declares %1 x %2 pixels, more than the %3 million a picture may have</source>
        <translation>La imagen declara %1 x %2 píxeles, más que los %3 millones que puede tener una imagen</translation>
    </message>
</context>
<context>
    <name>PictureData</name>
    <message>
        <source>Damaged picture</source>
        <translation>Imagen dañada</translation>
    </message>
</context>
<context>
    <name>SaveFiles</name>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>la carpeta %1 no existe</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>it is a folder; give a file name</source>
        <translation>es una carpeta; indique el nombre de un archivo</translation>
    </message>
    <message>
        <source>you may not write in the folder %1</source>
        <translation>no tiene permiso para escribir en la carpeta %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
</context>
<context>
    <name>TDataSet</name>
    <message>
        <source>a master link may not lead back to the dataset itself</source>
        <translation>el vínculo maestro no puede apuntar al propio conjunto de datos</translation>
    </message>
    <message>
        <source>add field &quot;%1&quot;</source>
        <translation>añadir el campo &quot;%1&quot;</translation>
    </message>
    <message>
        <source>index field &quot;%1&quot; not found</source>
        <translation>campo de índice &quot;%1&quot; no encontrado</translation>
    </message>
    <message>
        <source>master fields &quot;%1&quot; need as many index fields, but the index is &quot;%2&quot;</source>
        <translation>los campos maestros &quot;%1&quot; necesitan el mismo número de campos de índice, pero el índice es &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; not found</source>
        <translation>%1: campo &quot;%2&quot; no encontrado</translation>
    </message>
    <message>
        <source>%1: duplicate field &quot;%2&quot;</source>
        <translation>%1: campo &quot;%2&quot; duplicado</translation>
    </message>
    <message>
        <source>%1: cannot %2 while the dataset is open</source>
        <translation>%1: no se puede %2 con el conjunto de datos abierto</translation>
    </message>
    <message>
        <source>%1: record %2, field &quot;%3&quot;: &quot;%4&quot; is not a valid %5 value</source>
        <translation>%1: &quot;%4&quot; no es un valor %5 válido (registro %2, campo &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>%1: a record needs %2 values, %3 given</source>
        <translation>%1: un registro necesita %2 valores, se dieron %3</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; holds no picture: %3</source>
        <translation>%1: el campo &quot;%2&quot; no contiene una imagen: %3</translation>
    </message>
    <message>
        <source>change DatabaseName</source>
        <translation>cambiar DatabaseName</translation>
    </message>
    <message>
        <source>change DataDirectory</source>
        <translation>cambiar DataDirectory</translation>
    </message>
    <message>
        <source>change TableName</source>
        <translation>cambiar TableName</translation>
    </message>
    <message>
        <source>no TableName</source>
        <translation>falta TableName</translation>
    </message>
</context>
<context>
    <name>TParadoxReader</name>
    <message>
        <source>Paradox table &quot;%1&quot;: %2</source>
        <translation>Tabla Paradox &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Paradox table &quot;%1&quot;, record %2, field &quot;%3&quot;: %4</source>
        <translation>Tabla Paradox &quot;%1&quot;: %4 (registro %2, campo &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: the declared field &quot;%2&quot; (%3) is not in the stored table</source>
        <translation>Tabla &quot;%1&quot;: el campo &quot;%2&quot; (%3) que espera el programa no existe en la tabla guardada</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: field &quot;%2&quot; is declared %3 but stored as %4</source>
        <translation>Tabla &quot;%1&quot;: el programa espera el campo &quot;%2&quot; como %3, pero está guardado como %4</translation>
    </message>
    <message>
        <source>the block chain ends at block %1 with %2 of the %3 records the header counts</source>
        <translation>la cadena de bloques termina en el bloque %1 con %2 de los %3 registros que cuenta la cabecera</translation>
    </message>
    <message>
        <source>damaged: %1; the other records are lost</source>
        <translation>dañada, se perdió parte de los registros: %1</translation>
    </message>
    <message>
        <source>damaged: %1; all %2 records were read from the blocks in file order</source>
        <translation>dañada, pero los %2 registros se leyeron de los bloques en el orden del archivo: %1</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>un FIFO</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>un dispositivo de caracteres</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>un dispositivo de bloques</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>un archivo especial</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>el archivo no existe; compruebe la carpeta de datos</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>no se puede abrir: %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>no se puede leer: %1</translation>
    </message>
    <message>
        <source>is %1, not a table file; refused</source>
        <translation>rechazada: no es un archivo de tabla, es %1</translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 the format allows; refused</source>
        <translation>rechazada: demasiado grande para el formato (%1 bytes, el máximo es %2)</translation>
    </message>
    <message>
        <source>the blob file %1 is missing</source>
        <translation>falta el archivo de campos largos %1; cópielo junto con la tabla</translation>
    </message>
</context>
<context>
    <name>TRLByteReader</name>
    <message>
        <source>%1: %2 at byte %3: %4</source>
        <translation>%1: %4 (%2, en el byte %3)</translation>
    </message>
    <message>
        <source>negative length %1</source>
        <translation>el archivo está dañado: longitud negativa %1</translation>
    </message>
    <message>
        <source>%1 byte(s) needed, %2 left</source>
        <translation>el archivo está incompleto o dañado (faltan datos: se necesitan %1 byte(s), quedan %2)</translation>
    </message>
    <message>
        <source>the data ends early (%1)</source>
        <translation>los datos terminan antes de lo esperado (%1)</translation>
    </message>
    <message>
        <source>negative count %1</source>
        <translation>el archivo está dañado: cuenta negativa %1</translation>
    </message>
    <message>
        <source>%1 items of at least %2 bytes do not fit in the %3 bytes left</source>
        <translation>el archivo está incompleto o dañado (%1 elementos de al menos %2 bytes no caben en los %3 bytes restantes)</translation>
    </message>
    <message>
        <source>position %1 is outside the %2 bytes</source>
        <translation>el archivo está dañado (la posición %1 queda fuera de los %2 bytes)</translation>
    </message>
    <message>
        <source>cannot seek to %1 (%2)</source>
        <translation>no se pudo ir a la posición %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TRLByteWriter</name>
    <message>
        <source>Cannot write %1: a string of %2 bytes exceeds the 32-bit length field</source>
        <translation>No se pudo escribir %1: un texto de %2 bytes excede el campo de longitud de 32 bits</translation>
    </message>
    <message>
        <source>Cannot write %1: a body of %2 bytes exceeds the 32-bit size field</source>
        <translation>No se pudo escribir %1: un bloque de %2 bytes excede el campo de tamaño de 32 bits</translation>
    </message>
    <message>
        <source>Cannot write %1: position %2 is outside the %3 bytes written</source>
        <translation>No se pudo escribir %1: la posición %2 queda fuera de los %3 bytes escritos</translation>
    </message>
</context>
<context>
    <name>TRLCustomFilter</name>
    <message>
        <source>Page %1 could not be read back from the temporary page file; the output would be incomplete</source>
        <translation>La página %1 no se pudo volver a leer del archivo temporal de páginas; la salida quedaría incompleta</translation>
    </message>
</context>
<context>
    <name>TRLGraphicStorage</name>
    <message>
        <source>page %1 in the temporary page file %2</source>
        <translation>página %1 del archivo temporal de páginas %2</translation>
    </message>
    <message>
        <source>Cannot write the page file: page %1 would start at byte %2, beyond the 2 GiB that its 32-bit offset can address</source>
        <translation>No se pudo escribir el archivo de páginas: el informe es demasiado grande (la página %1 empezaría en el byte %2, más allá de los 2 GiB que alcanza su desplazamiento de 32 bits)</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>No se pudo crear %1: %2</translation>
    </message>
    <message>
        <source>the page file</source>
        <translation>el archivo de páginas</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>No se pudo abrir %1: %2</translation>
    </message>
    <message>
        <source>not a page file (&quot;RLGraphicStorage3&quot; expected)</source>
        <translation>no es un archivo de páginas (se esperaba &quot;RLGraphicStorage3&quot;)</translation>
    </message>
    <message>
        <source>%1 x %2 mm is outside 0 to %3 mm on a side</source>
        <translation>%1 x %2 mm está fuera del intervalo de 0 a %3 mm por lado</translation>
    </message>
</context>
<context>
    <name>TRLGraphicSurface</name>
    <message>
        <source>%1 x %2 dots is outside 0 to %3 on a side</source>
        <translation>%1 x %2 puntos está fuera del intervalo de 0 a %3 por lado</translation>
    </message>
</context>
<context>
    <name>TRLPDFFilter</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>No se pudo crear el archivo &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>No file name was given.</source>
        <translation>No se indicó ningún nombre de archivo.</translation>
    </message>
    <message>
        <source>Cannot write the PDF file: %1</source>
        <translation>No se pudo escribir el archivo PDF: %1</translation>
    </message>
</context>
<context>
    <name>TRLPreviewForm</name>
    <message>
        <source>Page thumbnails</source>
        <translation>Miniaturas de las páginas</translation>
    </message>
</context>
<context>
    <name>TRLPreviewThumbnails</name>
    <message>
        <source>Page %1</source>
        <translation>Página %1</translation>
    </message>
</context>
<context>
    <name>TRLPrintDialog</name>
    <message>
        <source>No printer is installed. Install one, or save the pages as a file instead.</source>
        <translation>No hay ninguna impresora instalada. Instale una o guarde las páginas en un archivo.</translation>
    </message>
</context>
<context>
    <name>TRLPrinterWrapper</name>
    <message>
        <source>The printer canvas exists only between BeginDoc and EndDoc</source>
        <translation>El lienzo de la impresora solo existe entre BeginDoc y EndDoc</translation>
    </message>
</context>
<context>
    <name>TRLXLSFilter</name>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>No se pudo crear %1: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>No se pudo leer %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: the workbook stream of %2 bytes is larger than a compound document holds</source>
        <translation>No se pudo escribir %1: la hoja de %2 bytes es mayor de lo que admite el formato XLS; exporte menos páginas</translation>
    </message>
</context>
<context>
    <name>TempFiles</name>
    <message>
        <source>Cannot create a temporary file in &quot;%1&quot;: %2</source>
        <translation>No se pudo crear un archivo temporal en &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>pxdump</name>
    <message>
        <source>usage: pxdump [--json] TABLE.DB</source>
        <translation>uso: pxdump [--json] TABLA.DB</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>aviso: %1</translation>
    </message>
</context>
</TS>
