<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>Alias</name>
    <message>
        <source>Alias %1: %2</source>
        <translation>Alias %1 do banco de dados: %2</translation>
    </message>
    <message>
        <source>directory &quot;%1&quot; (%2) does not exist</source>
        <translation>a pasta &quot;%1&quot; (%2) não existe; confira o caminho</translation>
    </message>
    <message>
        <source>from --data</source>
        <translation>dada em --data</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>dada em %1</translation>
    </message>
    <message>
        <source>not defined; give --data DIR or set %1</source>
        <translation>não definido; indique a pasta com --data PASTA ou defina %1</translation>
    </message>
    <message>
        <source>the bundled sample database; not built?</source>
        <translation>o banco de exemplo que acompanha o programa; ele foi gerado na compilação?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 precisa de um valor</translation>
    </message>
    <message>
        <source>%1 needs a file name</source>
        <translation>%1 precisa do nome de um arquivo</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opção desconhecida %1</translation>
    </message>
    <message>
        <source>an export option needs an order number</source>
        <translation>informe o número da ordem de compra para exportar</translation>
    </message>
    <message>
        <source>give either an order number or --view with a page file, not both</source>
        <translation>informe o número da ordem ou --view com um arquivo de páginas, não os dois</translation>
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
        <translation>Uso: ordemcompra [ORDEM] [opções]
Imprime uma ordem de compra: sem opção de exportação, mostra a ordem na janela de visualização
(e pede o número quando ORDEM não é informada).

  --pdf ARQUIVO     prepara a ordem e a grava como arquivo PDF, sem janela
  --xls ARQUIVO     o mesmo, como planilha (XLS)
  --rpf ARQUIVO     o mesmo, como arquivo de páginas (.rpf)
  --print [NOME]    imprime na impressora padrão (ou na indicada), sem janela
  --data PASTA      lê as tabelas da PASTA em vez do alias KORVANE
  --view ARQ.rpf    mostra um arquivo de páginas salvo na janela de visualização; com --pdf,
                    --xls, --rpf ou --print grava-o em vez de uma ordem, sem janela
  --help            este texto
  --version         a versão do programa e da biblioteca

O alias KORVANE é --data PASTA, senão $QUIREL_ALIAS_KORVANE, senão o banco de exemplo que acompanha o programa.
ARQUIVO - é a saída padrão; um pipe ou dispositivo recebe os dados sem ser substituído por um arquivo.
Nas exportações, o código de saída é 0 em caso de sucesso, 1 quando a ordem não existe e 2 em qualquer outra falha.
</translation>
    </message>
</context>
<context>
    <name>OrdemCompra</name>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the page file &quot;%2&quot; being converted. Choose another output file; the page file was left unchanged.</source>
        <translation>A gravação em &quot;%1&quot; foi recusada: é o arquivo de páginas &quot;%2&quot; que está sendo convertido. Escolha outro arquivo de saída; o arquivo de páginas não foi alterado.</translation>
    </message>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the table &quot;%2&quot; the order is read from. Choose another output file; the table was left unchanged.</source>
        <translation>A gravação em &quot;%1&quot; foi recusada: é a tabela &quot;%2&quot;, de onde a ordem é lida. Escolha outro arquivo de saída; a tabela não foi alterada.</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>cancelado</translation>
    </message>
    <message>
        <source>no display to show the order on (DISPLAY and WAYLAND_DISPLAY are not set); write it with --pdf, --xls or --rpf instead</source>
        <translation>não há tela para mostrar a ordem; grave-a com --pdf, --xls ou --rpf (DISPLAY e WAYLAND_DISPLAY não estão definidas)</translation>
    </message>
    <message>
        <source>the %1 platform (QT_QPA_PLATFORM) shows no window, so the order cannot be shown; write it with --pdf, --xls or --rpf instead, or unset QT_QPA_PLATFORM on a display</source>
        <translation>a plataforma %1 (QT_QPA_PLATFORM) não mostra janelas, então a ordem não pode ser exibida; grave-a com --pdf, --xls ou --rpf, ou remova QT_QPA_PLATFORM numa tela</translation>
    </message>
</context>
<context>
    <name>OrderTables</name>
    <message>
        <source>No business table named %1</source>
        <translation>Não há tabela de negócio chamada %1</translation>
    </message>
</context>
<context>
    <name>OutputFiles</name>
    <message>
        <source>it is a block device (a disk); a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>é um dispositivo de bloco (um disco); um relatório só é gravado em um arquivo, um pipe ou um dispositivo de caractere, como um terminal</translation>
    </message>
    <message>
        <source>it is a socket; a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>é um soquete; um relatório só é gravado em um arquivo, um pipe ou um dispositivo de caractere, como um terminal</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>The picture declares %1 x %2 pixels, more than the %3 million a picture may have</source>
        <translation>A imagem declara %1 x %2 pixels, mais que os %3 milhões que uma imagem pode ter</translation>
    </message>
</context>
<context>
    <name>PictureData</name>
    <message>
        <source>Damaged picture</source>
        <translation>Imagem danificada</translation>
    </message>
</context>
<context>
    <name>SaveFiles</name>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>a pasta %1 não existe</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 não é uma pasta</translation>
    </message>
    <message>
        <source>it is a folder; give a file name</source>
        <translation>é uma pasta; informe o nome de um arquivo</translation>
    </message>
    <message>
        <source>you may not write in the folder %1</source>
        <translation>você não tem permissão para gravar na pasta %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Não foi possível gravar %1: %2</translation>
    </message>
</context>
<context>
    <name>TDataSet</name>
    <message>
        <source>a master link may not lead back to the dataset itself</source>
        <translation>o vínculo mestre não pode apontar para o próprio conjunto de dados</translation>
    </message>
    <message>
        <source>add field &quot;%1&quot;</source>
        <translation>acrescentar o campo &quot;%1&quot;</translation>
    </message>
    <message>
        <source>index field &quot;%1&quot; not found</source>
        <translation>campo de índice &quot;%1&quot; não encontrado</translation>
    </message>
    <message>
        <source>master fields &quot;%1&quot; need as many index fields, but the index is &quot;%2&quot;</source>
        <translation>os campos mestre &quot;%1&quot; precisam do mesmo número de campos de índice, mas o índice é &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; not found</source>
        <translation>%1: campo &quot;%2&quot; não encontrado</translation>
    </message>
    <message>
        <source>%1: duplicate field &quot;%2&quot;</source>
        <translation>%1: campo &quot;%2&quot; repetido</translation>
    </message>
    <message>
        <source>%1: cannot %2 while the dataset is open</source>
        <translation>%1: não é possível %2 com o conjunto de dados aberto</translation>
    </message>
    <message>
        <source>%1: record %2, field &quot;%3&quot;: &quot;%4&quot; is not a valid %5 value</source>
        <translation>%1: &quot;%4&quot; não é um valor %5 válido (registro %2, campo &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>%1: a record needs %2 values, %3 given</source>
        <translation>%1: um registro precisa de %2 valores, foram dados %3</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; holds no picture: %3</source>
        <translation>%1: o campo &quot;%2&quot; não contém uma imagem: %3</translation>
    </message>
    <message>
        <source>change DatabaseName</source>
        <translation>alterar DatabaseName</translation>
    </message>
    <message>
        <source>change DataDirectory</source>
        <translation>alterar DataDirectory</translation>
    </message>
    <message>
        <source>change TableName</source>
        <translation>alterar TableName</translation>
    </message>
    <message>
        <source>no TableName</source>
        <translation>TableName não informado</translation>
    </message>
</context>
<context>
    <name>TParadoxReader</name>
    <message>
        <source>Paradox table &quot;%1&quot;: %2</source>
        <translation>Tabela Paradox &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Paradox table &quot;%1&quot;, record %2, field &quot;%3&quot;: %4</source>
        <translation>Tabela Paradox &quot;%1&quot;: %4 (registro %2, campo &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: the declared field &quot;%2&quot; (%3) is not in the stored table</source>
        <translation>Tabela &quot;%1&quot;: o campo &quot;%2&quot; (%3) que o programa espera não existe na tabela gravada</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: field &quot;%2&quot; is declared %3 but stored as %4</source>
        <translation>Tabela &quot;%1&quot;: o programa espera o campo &quot;%2&quot; como %3, mas ele está gravado como %4</translation>
    </message>
    <message>
        <source>the block chain ends at block %1 with %2 of the %3 records the header counts</source>
        <translation>a cadeia de blocos termina no bloco %1 com %2 dos %3 registros que o cabeçalho conta</translation>
    </message>
    <message>
        <source>damaged: %1; the other records are lost</source>
        <translation>danificada, parte dos registros se perdeu: %1</translation>
    </message>
    <message>
        <source>damaged: %1; all %2 records were read from the blocks in file order</source>
        <translation>danificada, mas todos os %2 registros foram lidos dos blocos na ordem do arquivo: %1</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>um FIFO</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>um dispositivo de caracteres</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>um dispositivo de blocos</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>um socket</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>uma pasta</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>um arquivo especial</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>o arquivo não existe; confira a pasta de dados</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>não pode ser aberta: %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>não pode ser lida: %1</translation>
    </message>
    <message>
        <source>is %1, not a table file; refused</source>
        <translation>recusada: não é um arquivo de tabela, é %1</translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 the format allows; refused</source>
        <translation>recusada: grande demais para o formato (%1 bytes, o máximo é %2)</translation>
    </message>
    <message>
        <source>the blob file %1 is missing</source>
        <translation>falta o arquivo de campos longos %1; copie-o junto com a tabela</translation>
    </message>
</context>
<context>
    <name>TRLByteReader</name>
    <message>
        <source>%1: %2 at byte %3: %4</source>
        <translation>%1: %4 (%2, no byte %3)</translation>
    </message>
    <message>
        <source>negative length %1</source>
        <translation>o arquivo está danificado: comprimento negativo %1</translation>
    </message>
    <message>
        <source>%1 byte(s) needed, %2 left</source>
        <translation>o arquivo está incompleto ou danificado (faltam dados: %1 byte(s) necessários, restam %2)</translation>
    </message>
    <message>
        <source>the data ends early (%1)</source>
        <translation>os dados terminam antes do esperado (%1)</translation>
    </message>
    <message>
        <source>negative count %1</source>
        <translation>o arquivo está danificado: contagem negativa %1</translation>
    </message>
    <message>
        <source>%1 items of at least %2 bytes do not fit in the %3 bytes left</source>
        <translation>o arquivo está incompleto ou danificado (%1 itens de ao menos %2 bytes não cabem nos %3 bytes restantes)</translation>
    </message>
    <message>
        <source>position %1 is outside the %2 bytes</source>
        <translation>o arquivo está danificado (a posição %1 fica fora dos %2 bytes)</translation>
    </message>
    <message>
        <source>cannot seek to %1 (%2)</source>
        <translation>não foi possível ir à posição %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TRLByteWriter</name>
    <message>
        <source>Cannot write %1: a string of %2 bytes exceeds the 32-bit length field</source>
        <translation>Não foi possível gravar %1: um texto de %2 bytes excede o campo de tamanho de 32 bits</translation>
    </message>
    <message>
        <source>Cannot write %1: a body of %2 bytes exceeds the 32-bit size field</source>
        <translation>Não foi possível gravar %1: um bloco de %2 bytes excede o campo de tamanho de 32 bits</translation>
    </message>
    <message>
        <source>Cannot write %1: position %2 is outside the %3 bytes written</source>
        <translation>Não foi possível gravar %1: a posição %2 fica fora dos %3 bytes gravados</translation>
    </message>
</context>
<context>
    <name>TRLCustomFilter</name>
    <message>
        <source>Page %1 could not be read back from the temporary page file; the output would be incomplete</source>
        <translation>A página %1 não pôde ser lida de volta do arquivo temporário de páginas; a saída ficaria incompleta</translation>
    </message>
</context>
<context>
    <name>TRLGraphicStorage</name>
    <message>
        <source>page %1 in the temporary page file %2</source>
        <translation>página %1 no arquivo temporário de páginas %2</translation>
    </message>
    <message>
        <source>Cannot write the page file: page %1 would start at byte %2, beyond the 2 GiB that its 32-bit offset can address</source>
        <translation>Não foi possível gravar o arquivo de páginas: o relatório é grande demais (a página %1 começaria no byte %2, além dos 2 GiB que o deslocamento de 32 bits alcança)</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Não foi possível criar %1: %2</translation>
    </message>
    <message>
        <source>the page file</source>
        <translation>o arquivo de páginas</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Não foi possível abrir %1: %2</translation>
    </message>
    <message>
        <source>not a page file (&quot;RLGraphicStorage3&quot; expected)</source>
        <translation>não é um arquivo de páginas (esperado &quot;RLGraphicStorage3&quot;)</translation>
    </message>
    <message>
        <source>%1 x %2 mm is outside 0 to %3 mm on a side</source>
        <translation>%1 x %2 mm está fora do intervalo de 0 a %3 mm por lado</translation>
    </message>
</context>
<context>
    <name>TRLGraphicSurface</name>
    <message>
        <source>%1 x %2 dots is outside 0 to %3 on a side</source>
        <translation>%1 x %2 pontos está fora do intervalo de 0 a %3 por lado</translation>
    </message>
</context>
<context>
    <name>TRLPDFFilter</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Não foi possível criar o arquivo &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>No file name was given.</source>
        <translation>Nenhum nome de arquivo foi informado.</translation>
    </message>
    <message>
        <source>Cannot write the PDF file: %1</source>
        <translation>Não foi possível gravar o arquivo PDF: %1</translation>
    </message>
</context>
<context>
    <name>TRLPreviewForm</name>
    <message>
        <source>Page thumbnails</source>
        <translation>Miniaturas das páginas</translation>
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
        <translation>Nenhuma impressora está instalada. Instale uma ou salve as páginas num arquivo.</translation>
    </message>
</context>
<context>
    <name>TRLPrinterWrapper</name>
    <message>
        <source>The printer canvas exists only between BeginDoc and EndDoc</source>
        <translation>A área de desenho da impressora só existe entre BeginDoc e EndDoc</translation>
    </message>
</context>
<context>
    <name>TRLXLSFilter</name>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Não foi possível criar %1: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Não foi possível ler %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: the workbook stream of %2 bytes is larger than a compound document holds</source>
        <translation>Não foi possível gravar %1: a planilha de %2 bytes é maior do que o formato XLS comporta; exporte menos páginas</translation>
    </message>
</context>
<context>
    <name>TempFiles</name>
    <message>
        <source>Cannot create a temporary file in &quot;%1&quot;: %2</source>
        <translation>Não foi possível criar um arquivo temporário em &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>pxdump</name>
    <message>
        <source>usage: pxdump [--json] TABLE.DB</source>
        <translation>uso: pxdump [--json] TABELA.DB</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>aviso: %1</translation>
    </message>
</context>
</TS>
