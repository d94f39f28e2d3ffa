<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>Alias</name>
    <message>
        <source>Alias %1: %2</source>
        <translation>Alias %1 de la base de données : %2</translation>
    </message>
    <message>
        <source>directory &quot;%1&quot; (%2) does not exist</source>
        <translation>le dossier &quot;%1&quot; (%2) n&apos;existe pas ; vérifiez le chemin</translation>
    </message>
    <message>
        <source>from --data</source>
        <translation>donné par --data</translation>
    </message>
    <message>
        <source>from %1</source>
        <translation>donné par %1</translation>
    </message>
    <message>
        <source>not defined; give --data DIR or set %1</source>
        <translation>non défini ; indiquez le dossier avec --data DOSSIER ou définissez %1</translation>
    </message>
    <message>
        <source>the bundled sample database; not built?</source>
        <translation>la base d&apos;exemple fournie ; a-t-elle été générée à la compilation ?</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 attend une valeur</translation>
    </message>
    <message>
        <source>%1 needs a file name</source>
        <translation>%1 attend un nom de fichier</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>an export option needs an order number</source>
        <translation>indiquez le numéro du bon de commande pour exporter</translation>
    </message>
    <message>
        <source>give either an order number or --view with a page file, not both</source>
        <translation>indiquez un numéro de commande ou --view avec un fichier de pages, pas les deux</translation>
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
        <translation>Usage : ordemcompra [COMMANDE] [options]
Imprime un bon de commande : sans option d&apos;exportation, il l&apos;affiche dans la fenêtre d&apos;aperçu
(et demande le numéro quand COMMANDE manque).

  --pdf FICHIER     prépare le bon de commande et l&apos;enregistre en PDF, sans fenêtre
  --xls FICHIER     de même, en feuille de calcul (XLS)
  --rpf FICHIER     de même, en fichier de pages (.rpf)
  --print [NOM]     imprime sur l&apos;imprimante par défaut (ou celle nommée), sans fenêtre
  --data DOSSIER    lit les tables dans DOSSIER au lieu de l&apos;alias KORVANE
  --view FICH.rpf   affiche un fichier de pages enregistré dans la fenêtre d&apos;aperçu ; avec
                    --pdf, --xls, --rpf ou --print l&apos;enregistre à la place d&apos;une commande, sans fenêtre
  --help            ce texte
  --version         la version du programme et de la bibliothèque

L&apos;alias KORVANE est --data DOSSIER, sinon $QUIREL_ALIAS_KORVANE, sinon la base d&apos;exemple fournie.
FICHIER - désigne la sortie standard ; un tube ou un périphérique reçoit les données sans être remplacé par un fichier.
Pour les exportations, le code de sortie est 0 en cas de succès, 1 si la commande n&apos;existe pas, 2 pour tout autre échec.
</translation>
    </message>
</context>
<context>
    <name>OrdemCompra</name>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the page file &quot;%2&quot; being converted. Choose another output file; the page file was left unchanged.</source>
        <translation>Écriture dans &quot;%1&quot; refusée : c&apos;est le fichier de pages &quot;%2&quot; en cours de conversion. Choisissez un autre fichier de sortie ; le fichier de pages n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>Refused to write &quot;%1&quot;: it is the table &quot;%2&quot; the order is read from. Choose another output file; the table was left unchanged.</source>
        <translation>Écriture dans &quot;%1&quot; refusée : c&apos;est la table &quot;%2&quot;, d&apos;où le bon de commande est lu. Choisissez un autre fichier de sortie ; la table n&apos;a pas été modifiée.</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>no display to show the order on (DISPLAY and WAYLAND_DISPLAY are not set); write it with --pdf, --xls or --rpf instead</source>
        <translation>aucun écran pour afficher le bon de commande ; enregistrez-le avec --pdf, --xls ou --rpf (DISPLAY et WAYLAND_DISPLAY ne sont pas définies)</translation>
    </message>
    <message>
        <source>the %1 platform (QT_QPA_PLATFORM) shows no window, so the order cannot be shown; write it with --pdf, --xls or --rpf instead, or unset QT_QPA_PLATFORM on a display</source>
        <translation>la plateforme %1 (QT_QPA_PLATFORM) n&apos;affiche aucune fenêtre, le bon de commande ne peut donc pas être affiché ; enregistrez-le avec --pdf, --xls ou --rpf, ou retirez QT_QPA_PLATFORM sur un écran</translation>
    </message>
</context>
<context>
    <name>OrderTables</name>
    <message>
        <source>No business table named %1</source>
        <translation>Aucune table métier nommée %1</translation>
    </message>
</context>
<context>
    <name>OutputFiles</name>
    <message>
        <source>it is a block device (a disk); a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>c&apos;est un périphérique bloc (un disque) ; un rapport ne s&apos;écrit que dans un fichier, un tube ou un périphérique caractère comme un terminal</translation>
    </message>
    <message>
        <source>it is a socket; a report is written only into a file, a pipe or a character device such as a terminal</source>
        <translation>c&apos;est une socket ; un rapport ne s&apos;écrit que dans un fichier, un tube ou un périphérique caractère comme un terminal</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>The picture declares %1 x %2 pixels, more than the %3 million a picture may have</source>
        <translation>L&apos;image déclare %1 x %2 pixels, plus que les %3 millions qu&apos;une image peut avoir</translation>
    </message>
</context>
<context>
    <name>PictureData</name>
    <message>
        <source>Damaged picture</source>
        <translation>Image endommagée</translation>
    </message>
</context>
<context>
    <name>SaveFiles</name>
    <message>
        <source>the folder %1 does not exist</source>
        <translation>le dossier %1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>it is a folder; give a file name</source>
        <translation>c&apos;est un dossier ; indiquez un nom de fichier</translation>
    </message>
    <message>
        <source>you may not write in the folder %1</source>
        <translation>vous n&apos;avez pas le droit d&apos;écrire dans le dossier %1</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
</context>
<context>
    <name>TDataSet</name>
    <message>
        <source>a master link may not lead back to the dataset itself</source>
        <translation>le lien maître ne peut pas renvoyer au jeu de données lui-même</translation>
    </message>
    <message>
        <source>add field &quot;%1&quot;</source>
        <translation>ajouter le champ &quot;%1&quot;</translation>
    </message>
    <message>
        <source>index field &quot;%1&quot; not found</source>
        <translation>champ d&apos;index &quot;%1&quot; introuvable</translation>
    </message>
    <message>
        <source>master fields &quot;%1&quot; need as many index fields, but the index is &quot;%2&quot;</source>
        <translation>les champs maîtres &quot;%1&quot; demandent autant de champs d&apos;index, mais l&apos;index est &quot;%2&quot;</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; not found</source>
        <translation>%1 : champ &quot;%2&quot; introuvable</translation>
    </message>
    <message>
        <source>%1: duplicate field &quot;%2&quot;</source>
        <translation>%1 : champ &quot;%2&quot; en double</translation>
    </message>
    <message>
        <source>%1: cannot %2 while the dataset is open</source>
        <translation>%1 : impossible de %2 tant que le jeu de données est ouvert</translation>
    </message>
    <message>
        <source>%1: record %2, field &quot;%3&quot;: &quot;%4&quot; is not a valid %5 value</source>
        <translation>%1 : &quot;%4&quot; n&apos;est pas une valeur %5 valide (enregistrement %2, champ &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>%1: a record needs %2 values, %3 given</source>
        <translation>%1 : un enregistrement demande %2 valeurs, %3 données</translation>
    </message>
    <message>
        <source>%1: field &quot;%2&quot; holds no picture: %3</source>
        <translation>%1 : le champ &quot;%2&quot; ne contient pas d&apos;image : %3</translation>
    </message>
    <message>
        <source>change DatabaseName</source>
        <translation>modifier DatabaseName</translation>
    </message>
    <message>
        <source>change DataDirectory</source>
        <translation>modifier DataDirectory</translation>
    </message>
    <message>
        <source>change TableName</source>
        <translation>modifier TableName</translation>
    </message>
    <message>
        <source>no TableName</source>
        <translation>TableName manquant</translation>
    </message>
</context>
<context>
    <name>TParadoxReader</name>
    <message>
        <source>Paradox table &quot;%1&quot;: %2</source>
        <translation>Table Paradox &quot;%1&quot; : %2</translation>
    </message>
    <message>
        <source>Paradox table &quot;%1&quot;, record %2, field &quot;%3&quot;: %4</source>
        <translation>Table Paradox &quot;%1&quot; : %4 (enregistrement %2, champ &quot;%3&quot;)</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: the declared field &quot;%2&quot; (%3) is not in the stored table</source>
        <translation>Table &quot;%1&quot; : le champ &quot;%2&quot; (%3) attendu par le programme n&apos;existe pas dans la table enregistrée</translation>
    </message>
    <message>
        <source>Table &quot;%1&quot;: field &quot;%2&quot; is declared %3 but stored as %4</source>
        <translation>Table &quot;%1&quot; : le programme attend le champ &quot;%2&quot; en %3, mais il est enregistré en %4</translation>
    </message>
    <message>
        <source>the block chain ends at block %1 with %2 of the %3 records the header counts</source>
        <translation>la chaîne de blocs s&apos;arrête au bloc %1 avec %2 des %3 enregistrements que compte l&apos;en-tête</translation>
    </message>
    <message>
        <source>damaged: %1; the other records are lost</source>
        <translation>endommagée, une partie des enregistrements est perdue : %1</translation>
    </message>
    <message>
        <source>damaged: %1; all %2 records were read from the blocks in file order</source>
        <translation>endommagée, mais les %2 enregistrements ont tous été lus dans les blocs, dans l&apos;ordre du fichier : %1</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>un FIFO</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>un périphérique caractère</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>un périphérique bloc</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a directory</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>un fichier spécial</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>le fichier n&apos;existe pas ; vérifiez le dossier de données</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>ne peut pas être ouverte : %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>ne peut pas être lue : %1</translation>
    </message>
    <message>
        <source>is %1, not a table file; refused</source>
        <translation>refusée : ce n&apos;est pas un fichier de table, c&apos;est %1</translation>
    </message>
    <message>
        <source>%1 bytes, more than the %2 the format allows; refused</source>
        <translation>refusée : trop grande pour le format (%1 octets, le maximum est %2)</translation>
    </message>
    <message>
        <source>the blob file %1 is missing</source>
        <translation>le fichier des champs longs %1 manque ; copiez-le avec la table</translation>
    </message>
</context>
<context>
    <name>TRLByteReader</name>
    <message>
        <source>%1: %2 at byte %3: %4</source>
        <translation>%1 : %4 (%2, à l&apos;octet %3)</translation>
    </message>
    <message>
        <source>negative length %1</source>
        <translation>le fichier est endommagé : longueur négative %1</translation>
    </message>
    <message>
        <source>%1 byte(s) needed, %2 left</source>
        <translation>le fichier est incomplet ou endommagé (données manquantes : %1 octet(s) nécessaires, %2 restants)</translation>
    </message>
    <message>
        <source>the data ends early (%1)</source>
        <translation>les données s&apos;arrêtent trop tôt (%1)</translation>
    </message>
    <message>
        <source>negative count %1</source>
        <translation>le fichier est endommagé : nombre négatif %1</translation>
    </message>
    <message>
        <source>%1 items of at least %2 bytes do not fit in the %3 bytes left</source>
        <translation>le fichier est incomplet ou endommagé (%1 éléments d&apos;au moins %2 octets ne tiennent pas dans les %3 octets restants)</translation>
    </message>
    <message>
        <source>position %1 is outside the %2 bytes</source>
        <translation>le fichier est endommagé (la position %1 est hors des %2 octets)</translation>
    </message>
    <message>
        <source>cannot seek to %1 (%2)</source>
        <translation>impossible d&apos;aller à la position %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TRLByteWriter</name>
    <message>
        <source>Cannot write %1: a string of %2 bytes exceeds the 32-bit length field</source>
        <translation>Impossible d&apos;écrire %1 : un texte de %2 octets dépasse le champ de longueur de 32 bits</translation>
    </message>
    <message>
        <source>Cannot write %1: a body of %2 bytes exceeds the 32-bit size field</source>
        <translation>Impossible d&apos;écrire %1 : un bloc de %2 octets dépasse le champ de taille de 32 bits</translation>
    </message>
    <message>
        <source>Cannot write %1: position %2 is outside the %3 bytes written</source>
        <translation>Impossible d&apos;écrire %1 : la position %2 est hors des %3 octets écrits</translation>
    </message>
</context>
<context>
    <name>TRLCustomFilter</name>
    <message>
        <source>Page %1 could not be read back from the temporary page file; the output would be incomplete</source>
        <translation>La page %1 n&apos;a pas pu être relue depuis le fichier temporaire des pages ; la sortie serait incomplète</translation>
    </message>
</context>
<context>
    <name>TRLGraphicStorage</name>
    <message>
        <source>page %1 in the temporary page file %2</source>
        <translation>page %1 du fichier temporaire de pages %2</translation>
    </message>
    <message>
        <source>Cannot write the page file: page %1 would start at byte %2, beyond the 2 GiB that its 32-bit offset can address</source>
        <translation>Impossible d&apos;écrire le fichier de pages : le rapport est trop volumineux (la page %1 commencerait à l&apos;octet %2, au-delà des 2 Gio qu&apos;adresse son décalage de 32 bits)</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>the page file</source>
        <translation>le fichier de pages</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Impossible d&apos;ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>not a page file (&quot;RLGraphicStorage3&quot; expected)</source>
        <translation>ce n&apos;est pas un fichier de pages (&quot;RLGraphicStorage3&quot; attendu)</translation>
    </message>
    <message>
        <source>%1 x %2 mm is outside 0 to %3 mm on a side</source>
        <translation>%1 x %2 mm est hors de l&apos;intervalle de 0 à %3 mm par côté</translation>
    </message>
</context>
<context>
    <name>TRLGraphicSurface</name>
    <message>
        <source>%1 x %2 dots is outside 0 to %3 on a side</source>
        <translation>%1 x %2 pixels : hors de l&apos;intervalle de 0 à %3 par côté</translation>
    </message>
</context>
<context>
    <name>TRLPDFFilter</name>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Impossible de créer le fichier &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>No file name was given.</source>
        <translation>Aucun nom de fichier n&apos;a été indiqué.</translation>
    </message>
    <message>
        <source>Cannot write the PDF file: %1</source>
        <translation>Impossible d&apos;écrire le fichier PDF : %1</translation>
    </message>
</context>
<context>
    <name>TRLPreviewForm</name>
    <message>
        <source>Page thumbnails</source>
        <translation>Miniatures des pages</translation>
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
        <translation>Aucune imprimante n&apos;est installée. Installez-en une ou enregistrez les pages dans un fichier.</translation>
    </message>
</context>
<context>
    <name>TRLPrinterWrapper</name>
    <message>
        <source>The printer canvas exists only between BeginDoc and EndDoc</source>
        <translation>Le canevas de l&apos;imprimante n&apos;existe qu&apos;entre BeginDoc et EndDoc</translation>
    </message>
</context>
<context>
    <name>TRLXLSFilter</name>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Cannot write %1: the workbook stream of %2 bytes is larger than a compound document holds</source>
        <translation>Impossible d&apos;écrire %1 : le classeur de %2 octets dépasse ce que le format XLS contient ; exportez moins de pages</translation>
    </message>
</context>
<context>
    <name>TempFiles</name>
    <message>
        <source>Cannot create a temporary file in &quot;%1&quot;: %2</source>
        <translation>Impossible de créer un fichier temporaire dans &quot;%1&quot; : %2</translation>
    </message>
</context>
<context>
    <name>pxdump</name>
    <message>
        <source>usage: pxdump [--json] TABLE.DB</source>
        <translation>usage : pxdump [--json] TABLE.DB</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>avertissement : %1</translation>
    </message>
</context>
</TS>
