<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CatalogueHeader</name>
    <message>
        <source>文件“%1”是空文件，不是轴承数据库，程序没有改动它。请换上完整的数据库文件 bde.mdb 后再查询。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件“%1”是较新格式（Access 2007 及以后）的数据库，本程序只能读取 Access 97 至 2003 格式的 .mdb 数据库，程序没有改动它。请在 Access 中将它另存为 Access 2002-2003 格式的 .mdb 文件后再查询。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件“%1”不完整（只有 %2 字节，不足一个数据库页），程序没有改动它。请换上完整的数据库文件 bde.mdb 后再查询。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件“%1”不是数据库文件，程序没有改动它。请换上轴承数据库文件 bde.mdb 后再查询。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>找不到数据库文件“%1”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”是一个文件夹，不是数据库文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取数据库文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法识别数据库文件“%1”的格式：文件头是封存状态的标志，不是 Jet 数据库的标志。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法识别数据库文件“%1”的格式：它不是 Jet 数据库。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开数据库文件“%1”：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>连接字符串中的数据提供程序“%1”无法使用，只支持 Microsoft.Jet.OLEDB.4.0。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>连接字符串中没有指定数据库文件（Data Source）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库连接没有打开。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件“%1”在连接之后被修改了，请重新查询。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取数据库文件“%1”：%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>排序表达式无效：&quot;%1&quot;（应为列名、一个空格和 ASC 或 DESC）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排序表达式无效：&quot;%1&quot;（排序方向应为 ASC 或 DESC）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排序表达式无效：&quot;%1&quot;（找不到列 &quot;%2&quot;）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（在语句末尾）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（在 &quot;%1&quot; 附近）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到列 &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到表 &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表 &quot;%1&quot; 的行数过多，无法查询</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：语句应以 SELECT 开头</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：SELECT 之后应为 *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：缺少 FROM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：FROM 之后缺少表名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：WHERE 之后缺少条件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：ORDER 之后缺少 BY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：ORDER BY 之后缺少列名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：语句结尾有多余的内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：OR 之后缺少条件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：AND 之后缺少条件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：NOT 之后缺少条件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：左括号之后缺少条件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：缺少右括号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：运算符 &quot;%1&quot; 之后缺少值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：NOT 之后应为 LIKE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：缺少比较运算符</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：%1 之后缺少值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：数值超出范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：条件嵌套超过 %1 层</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文本值缺少结束的引号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询语句有误：无法识别的符号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表的内容超过 4 GB，无法载入。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileIo</name>
    <message>
        <source>无法打开文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法创建临时文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法创建文件</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JetReader</name>
    <message>
        <source>数据库文件已损坏：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是完整的 Jet 数据库文件：文件只有 %1 字节。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是 Jet 数据库文件：文件开头没有 Jet 数据库的标志。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是 Jet 3 或 Jet 4.0 数据库文件（版本号 %1，可能是 Access 2007 以后的 accdb 格式）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是完整的 %1 数据库文件：文件只有 %2 字节。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件不完整：大小 %1 字节不是整页（每页 %2 字节），文件可能被截断。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件已加密，无法读取。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 2 页不是系统表 MSysObjects 的定义。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1指向第 %2 页，但文件只有 %3 页，文件可能被截断。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>长文本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>长文本的位置无效（第 %1 页）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>长文本的链接无效（第 %1 页）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>长文本字段太短。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>长文本的链接形成了循环。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列“%1”的值太短。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页第 %2 行的位置无效。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页第 %2 行的转移指针无效。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页的一行的转移指针形成了循环。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转移的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取第 %1 页。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页的一行转移到了第 %2 页，但那一页不是同一个表的数据页。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页有一行无法解析。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页有一行的值超出了该行。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的定义续页无效（第 %2 页）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的定义续页形成了循环。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的定义续页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的定义不完整：列的定义超出了定义页。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的定义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的页面分配表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的空闲页面表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的定义无法读取。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”没有列。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的页面分配表无法识别。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的页面分配表无效。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>表“%1”的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页的行数无效。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件的文字使用代码页 %1，本系统无法转换这种代码页。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>系统表 MSysObjects 没有任何记录。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>系统表 MSysObjects 缺少列“%1”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开数据库文件。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JetText</name>
    <message>
        <source>text starting with U+FEFF cannot be stored</source>
        <translation>以 U+FEFF 开头的文字无法存储</translation>
    </message>
</context>
<context>
    <name>JetWriter</name>
    <message>
        <source>memo longer than 16 MB</source>
        <translation>备注超过 16 MB</translation>
    </message>
    <message>
        <source>row of %1 bytes does not fit in one page; store long text as Memo</source>
        <translation>一行 %1 字节，一页放不下；较长的文字请存为备注（Memo）</translation>
    </message>
    <message>
        <source>file too large for its page usage map</source>
        <translation>文件太大，页面使用表容纳不下</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>第 %1 行，第 %2 列：%3</translation>
    </message>
    <message>
        <source>line %1, column %2 (%3): %4</source>
        <translation>第 %1 行，第 %2 列（%3）：%4</translation>
    </message>
    <message>
        <source>extra field; the header names %1 columns</source>
        <translation>字段多余；标题行只有 %1 列</translation>
    </message>
    <message>
        <source>missing field; the record has %1 fields but the header names %2 columns</source>
        <translation>缺少字段；这一条记录有 %1 个字段，而标题行有 %2 列</translation>
    </message>
    <message>
        <source>the file is empty; its first line must name the columns</source>
        <translation>文件是空的；第一行须写明各列的名称</translation>
    </message>
    <message>
        <source>empty column name; every column needs one</source>
        <translation>列名为空；每一列都要有名称</translation>
    </message>
    <message>
        <source>duplicate column name; column %1 is &quot;%2&quot; (names ignore letter case)</source>
        <translation>列名重复；第 %1 列已是“%2”（列名不分大小写）</translation>
    </message>
    <message>
        <source>the quoted field is not closed before the end of the file</source>
        <translation>带引号的字段直到文件末尾都没有闭合</translation>
    </message>
    <message>
        <source>a quote inside an unquoted field; quote the whole field and double the quotes inside it</source>
        <translation>未加引号的字段中有引号；请给整个字段加上引号，并把其中的引号写两遍</translation>
    </message>
    <message>
        <source>a carriage return without a line feed; quote the field to keep it</source>
        <translation>回车符后面没有换行符；要保留它，请给字段加上引号</translation>
    </message>
    <message>
        <source>text after the closing quote; double a quote that belongs to the field</source>
        <translation>右引号后面还有文字；属于字段内容的引号请写两遍</translation>
    </message>
    <message>
        <source>invalid UTF-8 (byte %1)</source>
        <translation>不是有效的 UTF-8（字节 %1）</translation>
    </message>
    <message>
        <source>the file could not be read any further</source>
        <translation>文件无法继续读取</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 不是数字</translation>
    </message>
    <message>
        <source>%1 is out of range for a Double</source>
        <translation>%1 超出了 Double 的范围</translation>
    </message>
    <message>
        <source>%1 is not a whole number</source>
        <translation>%1 不是整数</translation>
    </message>
    <message>
        <source>%1 is out of range for a Long (-2147483648 to 2147483647)</source>
        <translation>%1 超出了 Long 的范围（-2147483648 至 2147483647）</translation>
    </message>
    <message>
        <source>row %1 holds %2, which %3 cannot hold; choose an --encoding that can, such as UTF-8 or GB18030</source>
        <translation>第 %1 行含有 %2，%3 无法表示；请用 --encoding 选一种能表示它的编码，例如 UTF-8 或 GB18030</translation>
    </message>
    <message>
        <source>writing the CSV output failed</source>
        <translation>写出 CSV 失败</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no table &quot;%2&quot; (tables: %3)</source>
        <translation>“%1”中没有表“%2”（现有的表：%3）</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>cannot open &quot;%1&quot; for reading</source>
        <translation>无法打开“%1”进行读取</translation>
    </message>
    <message>
        <source>the byte sequence %1 is neither UTF-8 nor %2 text; name the file&apos;s encoding with --encoding (&apos;iconv --list&apos; shows the names)</source>
        <translation>字节 %1 既不是 UTF-8 也不是 %2 文本；请用 --encoding 指明文件的编码（“iconv --list”列出可用的名称）</translation>
    </message>
    <message>
        <source>the byte sequence %1 is not %2 text, which the file&apos;s byte-order mark names; name its encoding with --encoding</source>
        <translation>字节 %1 不是 %2 文本（文件的字节顺序标记表明是 %2）；请用 --encoding 指明文件的编码</translation>
    </message>
    <message>
        <source>the byte sequence %1 is not %2 text, the encoding --encoding names</source>
        <translation>字节 %1 不是 %2 文本（--encoding 指定的编码）</translation>
    </message>
    <message>
        <source>the byte sequence %1 is not UTF-8 text; name the file&apos;s encoding with --encoding</source>
        <translation>字节 %1 不是 UTF-8 文本；请用 --encoding 指明文件的编码</translation>
    </message>
    <message>
        <source>%1 names column &quot;%2&quot;, which the CSV header does not have</source>
        <translation>%1 指定的列“%2”在 CSV 标题行中不存在</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; is named by both --double and --long</source>
        <translation>列“%1”同时由 --double 和 --long 指定</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists; add --force to replace it</source>
        <translation>“%1”已存在；要替换它，请加上 --force</translation>
    </message>
    <message>
        <source>&quot;%1&quot; changed while it was being imported</source>
        <translation>导入期间“%1”被改动了</translation>
    </message>
    <message>
        <source>importing: %1 / %2 rows</source>
        <translation>正在导入：%1 / %2 行</translation>
    </message>
    <message>
        <source>%1 rows written to %2 (read as %3)</source>
        <translation>已写入 %1 行到 %2（按 %3 读取）</translation>
    </message>
    <message>
        <source>Run &apos;bearing-catalog --help&apos; for usage.</source>
        <translation>用法请运行“bearing-catalog --help”。</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>option %1 takes no value</source>
        <translation>选项 %1 不带值</translation>
    </message>
    <message>
        <source>option %1 needs a value (write %1=VALUE for one that begins with --)</source>
        <translation>选项 %1 需要一个值（值以 -- 开头时请写成 %1=值）</translation>
    </message>
    <message>
        <source>missing the %1</source>
        <translation>缺少%1</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>多余的参数“%1”</translation>
    </message>
    <message>
        <source>%1 has an empty column name in &quot;%2&quot;</source>
        <translation>%1 的“%2”中有空的列名</translation>
    </message>
    <message>
        <source>--delimiter takes comma, tab or semicolon (or the character itself), not &quot;%1&quot;</source>
        <translation>--delimiter 只接受 comma、tab 或 semicolon（或该字符本身），不接受“%1”</translation>
    </message>
    <message>
        <source>--encoding needs the name of an encoding, such as GB18030</source>
        <translation>--encoding 需要一个编码名称，例如 GB18030</translation>
    </message>
    <message>
        <source>--working and --at-rest cannot be given together</source>
        <translation>--working 和 --at-rest 不能同时使用</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; is given to both --double and --long</source>
        <translation>列“%1”同时给了 --double 和 --long</translation>
    </message>
    <message>
        <source>CSV file</source>
        <translation>CSV 文件</translation>
    </message>
    <message>
        <source>MDB file</source>
        <translation>MDB 文件</translation>
    </message>
    <message>
        <source>statement</source>
        <translation>查询语句</translation>
    </message>
    <message>
        <source>--mode needs a whole number, not &quot;%1&quot;</source>
        <translation>--mode 需要整数，不接受“%1”</translation>
    </message>
    <message>
        <source>--mode %1 is out of range</source>
        <translation>--mode %1 超出范围</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;; the commands are import, export, sql and query</source>
        <translation>未知命令“%1”；可用的命令有 import、export、sql 和 query</translation>
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
        <translation>bearing-catalog：轴承型号查询的命令行工具，用于生成、导出和查询轴承目录文件

用法：
  bearing-catalog import [--table 表名] [--double 列] [--long 列] [--working|--at-rest] [--force] [--encoding 编码] [--delimiter 分隔符] CSV MDB
  bearing-catalog export [--table 表名] [--encoding 编码] [--delimiter 分隔符] MDB
  bearing-catalog sql [--db 文件] 查询语句
  bearing-catalog query [--mode N] [--model 型号] [--outer 外径] [--inner 内径] [--height 厚度] [--brand 品牌] [--type 类型] [--sort &quot;字段 ASC|DESC&quot;] [--print-sql]
  bearing-catalog --help

“列”是以逗号分隔的列名列表。分隔符为 comma（逗号）、tab（制表符）或 semicolon（分号）。选项写作“--选项 值”或“--选项=值”。
import 读取 UTF-8、带字节顺序标记的 UTF-16 或 GB18030（中文系统上 Excel 保存的 CSV），分隔符取自标题行；--encoding 可指定“iconv --list”列出的任何编码。
默认值：--table %1，--db bde.mdb，--mode 1；import 生成的文件为静止状态；export 写出以逗号分隔的 UTF-8。
</translation>
    </message>
    <message>
        <source>%1 records</source>
        <translation>%1 条记录</translation>
    </message>
    <message>
        <source>the file holds NUL bytes, as UTF-16 text without a byte-order mark does; name its encoding with --encoding (UTF-16LE or UTF-16BE)</source>
        <translation>文件中有 NUL 字节，像是没有字节顺序标记的 UTF-16 文本；请用 --encoding 指明它的编码（UTF-16LE 或 UTF-16BE）</translation>
    </message>
    <message>
        <source>the file could not be read to its end</source>
        <translation>文件无法读到末尾</translation>
    </message>
    <message>
        <source>this system does not know the encoding &quot;%1&quot;; &apos;iconv --list&apos; shows the names it knows</source>
        <translation>本系统不认识编码“%1”；“iconv --list”列出它认识的名称</translation>
    </message>
</context>
<context>
    <name>ResultSet</name>
    <message>
        <source>结果集没有打开，无法排序。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchRun</name>
    <message>
        <source>数据库文件“%1”正被另一个查询使用，等了 %2 秒仍未用完，请稍后再试。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法锁定数据库文件“%1”：无法打开锁文件“%2”（%3）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>货币</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是/否</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日期/时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>备注</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二进制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OLE 对象</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同步复制 ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>其他</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件“%1”中没有表“%2”。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件“%1”的表“%2”缺少列%3。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据库文件“%1”的表“%2”中，列“%3”是%4类型，查询需要文本或数字。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开数据库出现致命的错误！！！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>错误</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
