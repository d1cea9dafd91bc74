<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>FileIo</name>
    <message>
        <source>无法打开文件</source>
        <translation>Cannot open file</translation>
    </message>
    <message>
        <source>无法读取文件</source>
        <translation>Cannot read file</translation>
    </message>
    <message>
        <source>无法创建临时文件</source>
        <translation>Cannot create the temporary file</translation>
    </message>
    <message>
        <source>无法写入文件</source>
        <translation>Cannot write file</translation>
    </message>
    <message>
        <source>无法创建文件</source>
        <translation>Cannot create file</translation>
    </message>
</context>
<context>
    <name>JetText</name>
    <message>
        <source>text starting with U+FEFF cannot be stored</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JetWriter</name>
    <message>
        <source>memo longer than 16 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row of %1 bytes does not fit in one page; store long text as Memo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file too large for its page usage map</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1, column %2 (%3): %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>extra field; the header names %1 columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing field; the record has %1 fields but the header names %2 columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is empty; its first line must name the columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty column name; every column needs one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>duplicate column name; column %1 is &quot;%2&quot; (names ignore letter case)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the quoted field is not closed before the end of the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a quote inside an unquoted field; quote the whole field and double the quotes inside it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a carriage return without a line feed; quote the field to keep it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text after the closing quote; double a quote that belongs to the field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>invalid UTF-8 (byte %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be read any further</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is out of range for a Double</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is out of range for a Long (-2147483648 to 2147483647)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1 holds %2, which %3 cannot hold; choose an --encoding that can, such as UTF-8 or GB18030</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>writing the CSV output failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no table &quot;%2&quot; (tables: %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot open &quot;%1&quot; for reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the byte sequence %1 is neither UTF-8 nor %2 text; name the file&apos;s encoding with --encoding (&apos;iconv --list&apos; shows the names)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the byte sequence %1 is not %2 text, which the file&apos;s byte-order mark names; name its encoding with --encoding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the byte sequence %1 is not %2 text, the encoding --encoding names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the byte sequence %1 is not UTF-8 text; name the file&apos;s encoding with --encoding</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 names column &quot;%2&quot;, which the CSV header does not have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>column &quot;%1&quot; is named by both --double and --long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists; add --force to replace it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; changed while it was being imported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>importing: %1 / %2 rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 rows written to %2 (read as %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run &apos;bearing-catalog --help&apos; for usage.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option %1 takes no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>option %1 needs a value (write %1=VALUE for one that begins with --)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has an empty column name in &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--delimiter takes comma, tab or semicolon (or the character itself), not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--encoding needs the name of an encoding, such as GB18030</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--working and --at-rest cannot be given together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>column &quot;%1&quot; is given to both --double and --long</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MDB file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>statement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--mode needs a whole number, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--mode %1 is out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;; the commands are import, export, sql and query</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bearing-catalog: builds, exports and queries bearing catalogue files

Usage:
  bearing-catalog import [--table NAME] [--double COLS] [--long COLS] [--working|--at-rest] [--force] [--encoding NAME] [--delimiter SEP] CSV MDB
  bearing-catalog export [--table NAME] [--encoding NAME] [--delimiter SEP] MDB
  bearing-catalog sql [--db FILE] STATEMENT
  bearing-catalog query [--mode N] [--model T] [--outer X] [--inner X] [--height X] [--brand B] [--type T] [--sort &quot;FIELD ASC|DESC&quot;] [--print-sql]
  bearing-catalog --help

COLS is a comma-separated list of column names. SEP is comma, tab or semicolon. Options take &quot;--opt VALUE&quot; or &quot;--opt=VALUE&quot;.
import reads UTF-8, UTF-16 with its byte-order mark, or GB18030 (as Excel saves CSV on a Chinese system), and takes the separator from the header line; --encoding names any encoding &apos;iconv --list&apos; shows.
Defaults: --table %1, --db bde.mdb, --mode 1; import signs the file at rest; export writes UTF-8 with commas.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file holds NUL bytes, as UTF-16 text without a byte-order mark does; name its encoding with --encoding (UTF-16LE or UTF-16BE)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be read to its end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this system does not know the encoding &quot;%1&quot;; &apos;iconv --list&apos; shows the names it knows</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultSet</name>
    <message>
        <source>结果集没有打开，无法排序。</source>
        <translation>The result set is not open, so it cannot be sorted.</translation>
    </message>
</context>
</TS>
