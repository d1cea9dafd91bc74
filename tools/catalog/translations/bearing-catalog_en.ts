<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CatalogueHeader</name>
    <message>
        <source>文件“%1”是空文件，不是轴承数据库，程序没有改动它。请换上完整的数据库文件 bde.mdb 后再查询。</source>
        <translation>The file &quot;%1&quot; is empty, not a bearing catalogue; it was left as it is. Put a complete bde.mdb in its place and search again.</translation>
    </message>
    <message>
        <source>文件“%1”是较新格式（Access 2007 及以后）的数据库，本程序只能读取 Access 97 至 2003 格式的 .mdb 数据库，程序没有改动它。请在 Access 中将它另存为 Access 2002-2003 格式的 .mdb 文件后再查询。</source>
        <translation>The file &quot;%1&quot; is a database in the newer format (Access 2007 and later), and only .mdb databases in the Access 97 to 2003 formats can be read; it was left as it is. Save it in Access as an Access 2002-2003 .mdb file and search again.</translation>
    </message>
    <message>
        <source>文件“%1”不完整（只有 %2 字节，不足一个数据库页），程序没有改动它。请换上完整的数据库文件 bde.mdb 后再查询。</source>
        <translation>The file &quot;%1&quot; is incomplete (only %2 bytes, less than one database page); it was left as it is. Put a complete bde.mdb in its place and search again.</translation>
    </message>
    <message>
        <source>文件“%1”不是数据库文件，程序没有改动它。请换上轴承数据库文件 bde.mdb 后再查询。</source>
        <translation>The file &quot;%1&quot; is not a database; it was left as it is. Put the bearing catalogue bde.mdb in its place and search again.</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>找不到数据库文件“%1”。</source>
        <translation>The database file &quot;%1&quot; does not exist.</translation>
    </message>
    <message>
        <source>“%1”是一个文件夹，不是数据库文件。</source>
        <translation>&quot;%1&quot; is a folder, not a database file.</translation>
    </message>
    <message>
        <source>无法读取数据库文件：%1</source>
        <translation>Cannot read the database file: %1</translation>
    </message>
    <message>
        <source>无法识别数据库文件“%1”的格式：文件头是封存状态的标志，不是 Jet 数据库的标志。</source>
        <translation>The format of the database file &quot;%1&quot; is not recognised: its header is the mark of a file at rest, not of a Jet database.</translation>
    </message>
    <message>
        <source>无法识别数据库文件“%1”的格式：它不是 Jet 数据库。</source>
        <translation>The format of the database file &quot;%1&quot; is not recognised: it is not a Jet database.</translation>
    </message>
    <message>
        <source>无法打开数据库文件“%1”：%2</source>
        <translation>Cannot open the database file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>连接字符串中的数据提供程序“%1”无法使用，只支持 Microsoft.Jet.OLEDB.4.0。</source>
        <translation>The data provider &quot;%1&quot; in the connection string cannot be used; only Microsoft.Jet.OLEDB.4.0 is supported.</translation>
    </message>
    <message>
        <source>连接字符串中没有指定数据库文件（Data Source）。</source>
        <translation>The connection string names no database file (Data Source).</translation>
    </message>
    <message>
        <source>数据库连接没有打开。</source>
        <translation>The database connection is not open.</translation>
    </message>
    <message>
        <source>数据库文件“%1”在连接之后被修改了，请重新查询。</source>
        <translation>The database file &quot;%1&quot; was changed after it was connected to; search again.</translation>
    </message>
    <message>
        <source>无法读取数据库文件“%1”：%2</source>
        <translation>Cannot read the database file &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>排序表达式无效：&quot;%1&quot;（应为列名、一个空格和 ASC 或 DESC）</source>
        <translation>Invalid sort expression: &quot;%1&quot; (expected a column name, one space and ASC or DESC)</translation>
    </message>
    <message>
        <source>排序表达式无效：&quot;%1&quot;（排序方向应为 ASC 或 DESC）</source>
        <translation>Invalid sort expression: &quot;%1&quot; (the direction must be ASC or DESC)</translation>
    </message>
    <message>
        <source>排序表达式无效：&quot;%1&quot;（找不到列 &quot;%2&quot;）</source>
        <translation>Invalid sort expression: &quot;%1&quot; (no column &quot;%2&quot;)</translation>
    </message>
    <message>
        <source>（在语句末尾）</source>
        <translation> (at the end of the statement)</translation>
    </message>
    <message>
        <source>（在 &quot;%1&quot; 附近）</source>
        <translation> (near &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>找不到列 &quot;%1&quot;</source>
        <translation>No column &quot;%1&quot;</translation>
    </message>
    <message>
        <source>找不到表 &quot;%1&quot;</source>
        <translation>No table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表 &quot;%1&quot; 的行数过多，无法查询</source>
        <translation>Table &quot;%1&quot; has too many rows to query</translation>
    </message>
    <message>
        <source>查询语句为空</source>
        <translation>The statement is empty</translation>
    </message>
    <message>
        <source>查询语句有误：语句应以 SELECT 开头</source>
        <translation>Statement error: it must start with SELECT</translation>
    </message>
    <message>
        <source>查询语句有误：SELECT 之后应为 *</source>
        <translation>Statement error: SELECT must be followed by *</translation>
    </message>
    <message>
        <source>查询语句有误：缺少 FROM</source>
        <translation>Statement error: FROM is missing</translation>
    </message>
    <message>
        <source>查询语句有误：FROM 之后缺少表名</source>
        <translation>Statement error: a table name is missing after FROM</translation>
    </message>
    <message>
        <source>查询语句有误：WHERE 之后缺少条件</source>
        <translation>Statement error: a condition is missing after WHERE</translation>
    </message>
    <message>
        <source>查询语句有误：ORDER 之后缺少 BY</source>
        <translation>Statement error: BY is missing after ORDER</translation>
    </message>
    <message>
        <source>查询语句有误：ORDER BY 之后缺少列名</source>
        <translation>Statement error: a column name is missing after ORDER BY</translation>
    </message>
    <message>
        <source>查询语句有误：语句结尾有多余的内容</source>
        <translation>Statement error: unexpected text at the end of the statement</translation>
    </message>
    <message>
        <source>查询语句有误：OR 之后缺少条件</source>
        <translation>Statement error: a condition is missing after OR</translation>
    </message>
    <message>
        <source>查询语句有误：AND 之后缺少条件</source>
        <translation>Statement error: a condition is missing after AND</translation>
    </message>
    <message>
        <source>查询语句有误：NOT 之后缺少条件</source>
        <translation>Statement error: a condition is missing after NOT</translation>
    </message>
    <message>
        <source>查询语句有误：左括号之后缺少条件</source>
        <translation>Statement error: a condition is missing after the opening parenthesis</translation>
    </message>
    <message>
        <source>查询语句有误：缺少右括号</source>
        <translation>Statement error: a closing parenthesis is missing</translation>
    </message>
    <message>
        <source>查询语句有误：运算符 &quot;%1&quot; 之后缺少值</source>
        <translation>Statement error: a value is missing after the operator &quot;%1&quot;</translation>
    </message>
    <message>
        <source>查询语句有误：NOT 之后应为 LIKE</source>
        <translation>Statement error: NOT must be followed by LIKE</translation>
    </message>
    <message>
        <source>查询语句有误：缺少比较运算符</source>
        <translation>Statement error: a comparison operator is missing</translation>
    </message>
    <message>
        <source>查询语句有误：%1 之后缺少值</source>
        <translation>Statement error: a value is missing after %1</translation>
    </message>
    <message>
        <source>查询语句有误：数值超出范围</source>
        <translation>Statement error: a number is out of range</translation>
    </message>
    <message>
        <source>查询语句有误：条件嵌套超过 %1 层</source>
        <translation>Statement error: conditions are nested more than %1 levels deep</translation>
    </message>
    <message>
        <source>文本值缺少结束的引号</source>
        <translation>A text value lacks its closing quote</translation>
    </message>
    <message>
        <source>查询语句有误：无法识别的符号</source>
        <translation>Statement error: unrecognised symbol</translation>
    </message>
    <message>
        <source>表的内容超过 4 GB，无法载入。</source>
        <translation>The table holds more than 4 GB of content and cannot be loaded.</translation>
    </message>
</context>
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
    <name>JetReader</name>
    <message>
        <source>数据库文件已损坏：%1</source>
        <translation>The database file is damaged: %1</translation>
    </message>
    <message>
        <source>不是完整的 Jet 数据库文件：文件只有 %1 字节。</source>
        <translation>Not a complete Jet database file: the file has only %1 bytes.</translation>
    </message>
    <message>
        <source>不是 Jet 数据库文件：文件开头没有 Jet 数据库的标志。</source>
        <translation>Not a Jet database file: the file does not start with the mark of a Jet database.</translation>
    </message>
    <message>
        <source>不是 Jet 3 或 Jet 4.0 数据库文件（版本号 %1，可能是 Access 2007 以后的 accdb 格式）。</source>
        <translation>Not a Jet 3 or Jet 4.0 database file (version %1, perhaps the accdb format of Access 2007 and later).</translation>
    </message>
    <message>
        <source>不是完整的 %1 数据库文件：文件只有 %2 字节。</source>
        <translation>Not a complete %1 database file: the file has only %2 bytes.</translation>
    </message>
    <message>
        <source>数据库文件不完整：大小 %1 字节不是整页（每页 %2 字节），文件可能被截断。</source>
        <translation>The database file is incomplete: its size of %1 bytes is not a whole number of pages (%2 bytes each); the file may have been cut short.</translation>
    </message>
    <message>
        <source>数据库文件已加密，无法读取。</source>
        <translation>The database file is encrypted and cannot be read.</translation>
    </message>
    <message>
        <source>第 2 页不是系统表 MSysObjects 的定义。</source>
        <translation>page 2 is not the definition of the system table MSysObjects.</translation>
    </message>
    <message>
        <source>%1指向第 %2 页，但文件只有 %3 页，文件可能被截断。</source>
        <translation>%1 points to page %2, but the file has only %3 pages; it may have been cut short.</translation>
    </message>
    <message>
        <source>长文本</source>
        <translation>a long text</translation>
    </message>
    <message>
        <source>长文本的位置无效（第 %1 页）。</source>
        <translation>the place of a long text is invalid (page %1).</translation>
    </message>
    <message>
        <source>长文本的链接无效（第 %1 页）。</source>
        <translation>the link of a long text is invalid (page %1).</translation>
    </message>
    <message>
        <source>长文本字段太短。</source>
        <translation>a long text field is too short.</translation>
    </message>
    <message>
        <source>长文本的链接形成了循环。</source>
        <translation>the links of a long text form a loop.</translation>
    </message>
    <message>
        <source>列“%1”的值太短。</source>
        <translation>a value of column &quot;%1&quot; is too short.</translation>
    </message>
    <message>
        <source>第 %1 页第 %2 行的位置无效。</source>
        <translation>the place of row %2 on page %1 is invalid.</translation>
    </message>
    <message>
        <source>第 %1 页第 %2 行的转移指针无效。</source>
        <translation>the forwarding pointer of row %2 on page %1 is invalid.</translation>
    </message>
    <message>
        <source>第 %1 页的一行的转移指针形成了循环。</source>
        <translation>the forwarding pointers of a row on page %1 form a loop.</translation>
    </message>
    <message>
        <source>转移的行</source>
        <translation>a moved row</translation>
    </message>
    <message>
        <source>无法读取第 %1 页。</source>
        <translation>page %1 cannot be read.</translation>
    </message>
    <message>
        <source>第 %1 页的一行转移到了第 %2 页，但那一页不是同一个表的数据页。</source>
        <translation>a row on page %1 was moved to page %2, which is not a data page of the same table.</translation>
    </message>
    <message>
        <source>第 %1 页有一行无法解析。</source>
        <translation>a row on page %1 cannot be parsed.</translation>
    </message>
    <message>
        <source>第 %1 页有一行的值超出了该行。</source>
        <translation>a value of a row on page %1 runs past the end of the row.</translation>
    </message>
    <message>
        <source>表“%1”的定义续页无效（第 %2 页）。</source>
        <translation>a continuation page of the definition of table &quot;%1&quot; is invalid (page %2).</translation>
    </message>
    <message>
        <source>表“%1”的定义续页形成了循环。</source>
        <translation>the continuation pages of the definition of table &quot;%1&quot; form a loop.</translation>
    </message>
    <message>
        <source>表“%1”的定义续页</source>
        <translation>a continuation page of the definition of table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表“%1”的定义不完整：列的定义超出了定义页。</source>
        <translation>the definition of table &quot;%1&quot; is incomplete: its columns run past its definition pages.</translation>
    </message>
    <message>
        <source>表“%1”的定义</source>
        <translation>the definition of table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表“%1”的页面分配表</source>
        <translation>the page usage map of table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表“%1”的空闲页面表</source>
        <translation>the free page map of table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表“%1”的定义无法读取。</source>
        <translation>the definition of table &quot;%1&quot; cannot be read.</translation>
    </message>
    <message>
        <source>表“%1”没有列。</source>
        <translation>table &quot;%1&quot; has no columns.</translation>
    </message>
    <message>
        <source>表“%1”的页面分配表无法识别。</source>
        <translation>the page usage map of table &quot;%1&quot; is not recognised.</translation>
    </message>
    <message>
        <source>表“%1”的页面分配表无效。</source>
        <translation>the page usage map of table &quot;%1&quot; is invalid.</translation>
    </message>
    <message>
        <source>表“%1”的数据</source>
        <translation>the data of table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>第 %1 页的行数无效。</source>
        <translation>the row count of page %1 is invalid.</translation>
    </message>
    <message>
        <source>数据库文件的文字使用代码页 %1，本系统无法转换这种代码页。</source>
        <translation>The text in the database file is in code page %1, which this system cannot convert.</translation>
    </message>
    <message>
        <source>系统表 MSysObjects 没有任何记录。</source>
        <translation>the system table MSysObjects has no records.</translation>
    </message>
    <message>
        <source>系统表 MSysObjects 缺少列“%1”。</source>
        <translation>the system table MSysObjects has no column &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>无法打开数据库文件。</source>
        <translation>Cannot open the database file.</translation>
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
<context>
    <name>SearchRun</name>
    <message>
        <source>数据库文件“%1”正被另一个查询使用，等了 %2 秒仍未用完，请稍后再试。</source>
        <translation>The database file &quot;%1&quot; is in use by another search and was still in use after %2 seconds; try again later.</translation>
    </message>
    <message>
        <source>无法锁定数据库文件“%1”：无法打开锁文件“%2”（%3）。</source>
        <translation>Cannot lock the database file &quot;%1&quot;: cannot open the lock file &quot;%2&quot; (%3).</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>货币</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>是/否</source>
        <translation>Yes/No</translation>
    </message>
    <message>
        <source>日期/时间</source>
        <translation>Date/Time</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Memo</translation>
    </message>
    <message>
        <source>二进制</source>
        <translation>Binary</translation>
    </message>
    <message>
        <source>OLE 对象</source>
        <translation>OLE Object</translation>
    </message>
    <message>
        <source>同步复制 ID</source>
        <translation>Replication ID</translation>
    </message>
    <message>
        <source>其他</source>
        <translation>other</translation>
    </message>
    <message>
        <source>数据库文件“%1”中没有表“%2”。</source>
        <translation>The database file &quot;%1&quot; has no table &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>、“%1”</source>
        <translation>, &quot;%1&quot;</translation>
    </message>
    <message>
        <source>数据库文件“%1”的表“%2”缺少列%3。</source>
        <translation>Table &quot;%2&quot; of the database file &quot;%1&quot; lacks the columns %3.</translation>
    </message>
    <message>
        <source>数据库文件“%1”的表“%2”中，列“%3”是%4类型，查询需要文本或数字。</source>
        <translation>In table &quot;%2&quot; of the database file &quot;%1&quot;, column &quot;%3&quot; is of type %4; a search needs text or numbers.</translation>
    </message>
    <message>
        <source>打开数据库出现致命的错误！！！</source>
        <translation>A fatal error occurred opening the database!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
</context>
</TS>
