<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>orxprog</name>
    <message>
        <source>ORX 写频软件</source>
        <translation>ORX Programming Software</translation>
    </message>
    <message>
        <source>准备</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>All Files (*)</translation>
    </message>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>版本 1.0.0</source>
        <translation>Version 1.0.0</translation>
    </message>
    <message>
        <source>大写</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>滚动</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>编程(&amp;P)</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>端口设置(&amp;C)</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>建立新文档</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>打开一个现有文档</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存活动文档</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>将活动文档以一个新文件名保存</source>
        <translation>Save the active document under a new name</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>打印活动文档</source>
        <translation>Print the active document</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>显示整页</source>
        <translation>Display full pages</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>打印设置(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>改变打印机及打印选项</source>
        <translation>Change the printer and printing options</translation>
    </message>
    <message>
        <source>打印设置</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档</source>
        <translation>Quit the application; prompts to save documents</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>侧键</source>
        <translation>Side Keys</translation>
    </message>
    <message>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>收音机</source>
        <translation>FM Radio</translation>
    </message>
    <message>
        <source>电子串号</source>
        <translation>Serial Number</translation>
    </message>
    <message>
        <source>编辑电路板的电子串号</source>
        <translation>Edit the radio board&apos;s electronic serial number</translation>
    </message>
    <message>
        <source>读数据</source>
        <translation>Read from radio</translation>
    </message>
    <message>
        <source>读取对讲机频率</source>
        <translation>Read the channels and settings from the radio</translation>
    </message>
    <message>
        <source>读频</source>
        <translation>Read from radio</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write to radio</translation>
    </message>
    <message>
        <source>写频率数据至对讲机</source>
        <translation>Write the channels and settings to the radio</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>Write to radio</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>显隐工具栏</source>
        <translation>Toggle Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>显隐状态栏</source>
        <translation>Toggle Status Bar</translation>
    </message>
    <message>
        <source>打开备份(&amp;B)...</source>
        <translation>Open &amp;Backup...</translation>
    </message>
    <message>
        <source>打开读写对讲机时自动保存的备份</source>
        <translation>Open a backup saved automatically when the radio was read or written</translation>
    </message>
    <message>
        <source>打开备份</source>
        <translation>Open Backup</translation>
    </message>
    <message>
        <source>导入 CSV(&amp;I)...</source>
        <translation>&amp;Import CSV...</translation>
    </message>
    <message>
        <source>从 CSV 文件导入信道到信道表</source>
        <translation>Import channels from a CSV file into the channel table</translation>
    </message>
    <message>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>导出 CSV(&amp;E)...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>将信道表导出为 CSV 文件</source>
        <translation>Export the channel table as a CSV file</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>撤销上一次对信道表的修改</source>
        <translation>Undo the last change to the channel table</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>重做上一次撤销的信道表修改</source>
        <translation>Redo the last undone change to the channel table</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>关于 ...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>显示程序信息，版本号和版权</source>
        <translation>Display program information, version number and copyright</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>串口1 (COM1)</source>
        <translation>Serial Port 1 (COM1)</translation>
    </message>
    <message>
        <source>串口1</source>
        <translation>Serial port 1</translation>
    </message>
    <message>
        <source>串口2 (COM2)</source>
        <translation>Serial Port 2 (COM2)</translation>
    </message>
    <message>
        <source>串口2</source>
        <translation>Serial port 2</translation>
    </message>
    <message>
        <source>串口3 (COM3)</source>
        <translation>Serial Port 3 (COM3)</translation>
    </message>
    <message>
        <source>串口3</source>
        <translation>Serial port 3</translation>
    </message>
    <message>
        <source>串口4 (COM4)</source>
        <translation>Serial Port 4 (COM4)</translation>
    </message>
    <message>
        <source>串口4</source>
        <translation>Serial port 4</translation>
    </message>
    <message>
        <source>串口5 (COM5)</source>
        <translation>Serial Port 5 (COM5)</translation>
    </message>
    <message>
        <source>串口5</source>
        <translation>Serial port 5</translation>
    </message>
    <message>
        <source>串口6 (COM6)</source>
        <translation>Serial Port 6 (COM6)</translation>
    </message>
    <message>
        <source>串口6</source>
        <translation>Serial port 6</translation>
    </message>
    <message>
        <source>串口7 (COM7)</source>
        <translation>Serial Port 7 (COM7)</translation>
    </message>
    <message>
        <source>串口7</source>
        <translation>Serial port 7</translation>
    </message>
    <message>
        <source>串口8 (COM8)</source>
        <translation>Serial Port 8 (COM8)</translation>
    </message>
    <message>
        <source>串口8</source>
        <translation>Serial port 8</translation>
    </message>
    <message>
        <source>使用串口设备 %1</source>
        <translation>Use serial device %1</translation>
    </message>
    <message>
        <source>其他串口(&amp;O)...</source>
        <translation>&amp;Other Port...</translation>
    </message>
    <message>
        <source>串口设备 (例如 /dev/ttyUSB0):</source>
        <translation>Serial device (for example /dev/ttyUSB0):</translation>
    </message>
    <message>
        <source>端口设置</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>用法: orxprog [--dealer] [--lang zh|en] [文件.sin]
  --dealer   经销商模式: 显示“出厂化默认”按钮和“电子串号”菜单项
  --lang     界面语言: zh 中文, en 英文 (默认为上次选择的语言)
  --version  显示版本
</source>
        <translation>Usage: orxprog [--dealer] [--lang zh|en] [file.sin]
  --dealer   dealer mode: shows the &quot;Factory Defaults&quot; button and the &quot;Serial Number&quot; menu item
  --lang     language of the program: zh Chinese, en English (default: the language last chosen)
  --version  shows the version
</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>退出应用程序,  所有未保存数据将会丢失,
确认要退出.</source>
        <translation>All unsaved data will be lost.
Do you really want to exit?</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>ORX 对讲机写频软件
版权所有 (C) ORX 通信设备有限公司</source>
        <translation>ORX radio programming software
Copyright (C) ORX Communication
Equipment Co., Ltd.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>编码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>发射侧音</source>
        <translation>TX Tone</translation>
    </message>
    <message>
        <source>接收侧音</source>
        <translation>RX Tone</translation>
    </message>
    <message>
        <source>开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>关</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>侧键1</source>
        <translation>Side Key 1</translation>
    </message>
    <message>
        <source>侧鍵2</source>
        <translation>Side Key 2</translation>
    </message>
    <message>
        <source>短按</source>
        <translation>Short</translation>
    </message>
    <message>
        <source>长按</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>收音机频率</source>
        <translation>FM Radio Presets</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>电子串号 (PCBA)</source>
        <translation>Serial (PCBA)</translation>
    </message>
    <message>
        <source>信道 %1 与电子串号共用存储空间。
保存电子串号将覆盖信道 %1 的数据，是否继续？</source>
        <translation>Channel %1 shares its memory with the serial number.
Saving the serial number overwrites channel %1. Continue?</translation>
    </message>
    <message>
        <source>信道 %1 的存储空间存放着电子串号</source>
        <translation>The memory of channel %1 holds the serial number</translation>
    </message>
    <message>
        <source>信道 %1 与电子串号共用存储空间。
在此输入信道将清除电子串号，是否继续？</source>
        <translation>Channel %1 shares its memory with the serial number.
Entering a channel here clears the serial number. Continue?</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>频段范围</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>信道:</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>出厂化默认</source>
        <translation>Factory Defaults</translation>
    </message>
    <message>
        <source>模拟:%1</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>数字:%1</source>
        <translation>D%1</translation>
    </message>
    <message>
        <source>亚音设置</source>
        <translation>CTCSS/DCS</translation>
    </message>
    <message>
        <source>无</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>模拟亚音</source>
        <translation>CTCSS</translation>
    </message>
    <message>
        <source>正向数字亚音</source>
        <translation>DCS N</translation>
    </message>
    <message>
        <source>反相数字亚音</source>
        <translation>DCS I</translation>
    </message>
    <message>
        <source>无法打开文件“%1”。</source>
        <translation>Cannot open the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>文件“%1”不足 4096 字节，不是信道数据文件，未打开。</source>
        <translation>The file &quot;%1&quot; is shorter than 4096 bytes: it is not a channel data file and was not opened.</translation>
    </message>
    <message>
        <source>无法保存文件“%1”：%2</source>
        <translation>Cannot save the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>它不是文件。</source>
        <translation>it is not a file.</translation>
    </message>
    <message>
        <source>无法在它所在的文件夹中建立新文件（%1）。原文件没有改动。</source>
        <translation>no new file can be made in its folder (%1). The file was not changed.</translation>
    </message>
    <message>
        <source>。原文件没有改动。</source>
        <translation>. The file was not changed.</translation>
    </message>
    <message>
        <source>写入中途出错（%1），文件可能不完整；完整的新数据在“%2”。</source>
        <translation>writing failed halfway (%1); the file may be incomplete. The complete new data is in &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>是否保存对当前数据的修改?</source>
        <translation>Save the changes to the current data?</translation>
    </message>
    <message>
        <source>%1 (已修改)</source>
        <translation>%1 (modified)</translation>
    </message>
    <message>
        <source>无法打开命令行指定的文件“%1”，程序将退出。</source>
        <translation>Cannot open the file &quot;%1&quot; given on the command line; the program will exit.</translation>
    </message>
    <message>
        <source>文件“%1”不是 UTF-8 或 GBK 编码的文本，未导入。</source>
        <translation>The file &quot;%1&quot; is not UTF-8 or GBK text and was not imported.</translation>
    </message>
    <message>
        <source>文件“%1”第 %2 行的引号没有结束，未导入。</source>
        <translation>A quotation mark in line %2 of the file &quot;%1&quot; is not closed; the file was not imported.</translation>
    </message>
    <message>
        <source>文件“%1”是空的，未导入。</source>
        <translation>The file &quot;%1&quot; is empty and was not imported.</translation>
    </message>
    <message>
        <source>文件“%1”没有 %2 列，不是信道 CSV 文件，未导入。</source>
        <translation>The file &quot;%1&quot; has no %2 column: it is not a channel CSV file and was not imported.</translation>
    </message>
    <message>
        <source>文件“%1”大于 %2 MB，不是信道 CSV 文件，未导入。</source>
        <translation>The file &quot;%1&quot; is larger than %2 MB: it is not a channel CSV file and was not imported.</translation>
    </message>
    <message>
        <source>文件“%1”以 UTF-8 标记开头，但第 %2 行不是 UTF-8 文本，未导入。</source>
        <translation>The file &quot;%1&quot; starts with a UTF-8 mark, but line %2 is not UTF-8 text; the file was not imported.</translation>
    </message>
    <message numerus="yes">
        <source>导入 CSV：拒绝 %n 行</source>
        <translation>
            <numerusform>Import CSV: %n row refused</numerusform>
            <numerusform>Import CSV: %n rows refused</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>“%1”：新建 %2 个信道，修改 %3 个，未变 %4 个，拒绝 %n 行。</source>
        <translation>
            <numerusform>&quot;%1&quot;: channels added %2, changed %3, unchanged %4; %n row refused.</numerusform>
            <numerusform>&quot;%1&quot;: channels added %2, changed %3, unchanged %4; %n rows refused.</numerusform>
        </translation>
    </message>
    <message>
        <source>行</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>信道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>未变</source>
        <translation>Unchanged</translation>
    </message>
    <message>
        <source>拒绝</source>
        <translation>Refused</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>%1 %2 改为 %3</source>
        <translation>%1 %2 changed to %3</translation>
    </message>
    <message>
        <source>名称“%1”改为“%2”</source>
        <translation>Name &quot;%1&quot; changed to &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Location“%1”不是 1 到 128 的信道号</source>
        <translation>Location &quot;%1&quot; is not a channel number from 1 to 128</translation>
    </message>
    <message>
        <source>信道 %1 已由第 %2 行导入</source>
        <translation>Channel %1 was already imported from line %2</translation>
    </message>
    <message>
        <source>Frequency“%1”不是有效的接收频率</source>
        <translation>Frequency &quot;%1&quot; is not a valid RX frequency</translation>
    </message>
    <message>
        <source>Duplex“%1”无法识别（应为空、+、-、split 或 off）</source>
        <translation>Duplex &quot;%1&quot; is not understood (should be empty, +, -, split or off)</translation>
    </message>
    <message>
        <source>Offset“%1”得不到有效的发射频率</source>
        <translation>Offset &quot;%1&quot; gives no valid TX frequency</translation>
    </message>
    <message>
        <source>Tone“%1”无法识别（应为空、Tone、TSQL、DTCS 或 Cross）</source>
        <translation>Tone &quot;%1&quot; is not understood (should be empty, Tone, TSQL, DTCS or Cross)</translation>
    </message>
    <message>
        <source>CrossMode“%1”无法识别</source>
        <translation>CrossMode &quot;%1&quot; is not understood</translation>
    </message>
    <message>
        <source>模拟亚音“%1”不在标准亚音表中</source>
        <translation>CTCSS tone &quot;%1&quot; is not a standard tone</translation>
    </message>
    <message>
        <source>数字亚音“%1”不在标准数字亚音表中</source>
        <translation>DCS code &quot;%1&quot; is not a standard code</translation>
    </message>
    <message>
        <source>DtcsPolarity“%1”无法识别（应为 NN、NR、RN 或 RR）</source>
        <translation>DtcsPolarity &quot;%1&quot; is not understood (should be NN, NR, RN or RR)</translation>
    </message>
    <message>
        <source>Mode“%1”无法识别（应为 FM 或 NFM）</source>
        <translation>Mode &quot;%1&quot; is not understood (should be FM or NFM)</translation>
    </message>
    <message>
        <source>Skip“%1”无法识别（应为空或 S）</source>
        <translation>Skip &quot;%1&quot; is not understood (should be empty or S)</translation>
    </message>
    <message>
        <source>信道 %1 存放电子串号，不能导入信道</source>
        <translation>Channel %1 holds the serial number and cannot take a channel</translation>
    </message>
    <message>
        <source>接收频率 %1 不在频段 %2 内</source>
        <translation>RX frequency %1 is outside the band %2</translation>
    </message>
    <message>
        <source>发射频率 %1 不在频段 %2 内</source>
        <translation>TX frequency %1 is outside the band %2</translation>
    </message>
    <message>
        <source>频率 %1 低于 10 MHz，信道无法保存</source>
        <translation>Frequency %1 is below 10 MHz; the channel cannot be stored</translation>
    </message>
    <message>
        <source>%1 %2 不在 5 / 6.25 kHz 步进上，改为 %3</source>
        <translation>%1 %2 is not on a 5 / 6.25 kHz step; changed to %3</translation>
    </message>
    <message>
        <source>功率“%1”无法判断高低，按“高”导入</source>
        <translation>Power &quot;%1&quot; is neither high nor low; imported as &quot;High&quot;</translation>
    </message>
    <message>
        <source>名称截短为“%1”，与信道 %2 同名</source>
        <translation>Name shortened to &quot;%1&quot;, the same as channel %2</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>以下频率没有原样粘贴：</source>
        <translation>These frequencies were not pasted as they were:</translation>
    </message>
    <message>
        <source>信道 %1 %2 %3 不在频段 %4 内，未粘贴</source>
        <translation>Channel %1 %2 %3 is outside the band %4; not pasted</translation>
    </message>
    <message>
        <source>信道 %1 %2 %3 低于 10 MHz，未粘贴</source>
        <translation>Channel %1 %2 %3 is below 10 MHz; not pasted</translation>
    </message>
    <message>
        <source>信道 %1 %2 %3 不在 5 / 6.25 kHz 步进上，改为 %4</source>
        <translation>Channel %1 %2 %3 is not on a 5 / 6.25 kHz step; changed to %4</translation>
    </message>
    <message>
        <source>打开串口失败</source>
        <translation>Failed to open the serial port</translation>
    </message>
    <message>
        <source>通信出错</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>密码错误</source>
        <translation>Wrong password</translation>
    </message>
    <message>
        <source>频率不匹配</source>
        <translation>Frequency band mismatch</translation>
    </message>
    <message>
        <source>校验出错：对讲机中的数据与写入的不同</source>
        <translation>Verify failed: the data in the radio differs from the data written</translation>
    </message>
    <message>
        <source>不同之处：%1。</source>
        <translation>Differences: %1.</translation>
    </message>
    <message>
        <source>数据已写入，但读回校验时通信出错</source>
        <translation>The data was written, but a communication error occurred while reading it back to verify</translation>
    </message>
    <message>
        <source>信道 %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>收音机频率 %1</source>
        <translation>FM preset %1</translation>
    </message>
    <message>
        <source>频段</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>地址 0x%1</source>
        <translation>Address 0x%1</translation>
    </message>
    <message>
        <source>写数据还没有完成。现在停止，对讲机中只有一部分数据是新的。
确定要停止写数据吗？</source>
        <translation>Writing is not finished. If you stop now, only part of the data in the radio is new.
Do you really want to stop writing?</translation>
    </message>
    <message>
        <source>读数据已取消</source>
        <translation>Reading was cancelled</translation>
    </message>
    <message>
        <source>写数据已停止：对讲机收到了 %1 / %2 块</source>
        <translation>Writing stopped: the radio received %1 of %2 blocks</translation>
    </message>
    <message>
        <source>数据已写入，校验已取消</source>
        <translation>The data was written; verifying was cancelled</translation>
    </message>
    <message>
        <source>无法保存备份：%1</source>
        <translation>Cannot save the backup: %1</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>写入后校验</source>
        <translation>Verify after writing</translation>
    </message>
    <message>
        <source>功率调节</source>
        <translation>Power Tuning</translation>
    </message>
    <message>
        <source>低端低功率</source>
        <translation>Bottom, Low</translation>
    </message>
    <message>
        <source>低端高功率</source>
        <translation>Bottom, High</translation>
    </message>
    <message>
        <source>中端低功率</source>
        <translation>Middle, Low</translation>
    </message>
    <message>
        <source>中端高功率</source>
        <translation>Middle, High</translation>
    </message>
    <message>
        <source>高端低功率</source>
        <translation>Top, Low</translation>
    </message>
    <message>
        <source>高端高功率</source>
        <translation>Top, High</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>模拟:</source>
        <translation>CTCSS:</translation>
    </message>
    <message>
        <source>数字:</source>
        <translation>DCS:</translation>
    </message>
    <message>
        <source>模拟</source>
        <translation>CTCSS</translation>
    </message>
    <message>
        <source>载波</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>亚音</source>
        <translation>Tone</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>Wide</translation>
    </message>
    <message>
        <source>窄</source>
        <translation>Narrow</translation>
    </message>
    <message>
        <source>发射前</source>
        <translation>BOT</translation>
    </message>
    <message>
        <source>发射后</source>
        <translation>EOT</translation>
    </message>
    <message>
        <source>两者</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>RX Frequency</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>TX Frequency</translation>
    </message>
    <message>
        <source>接收亚音</source>
        <translation>RX CTCSS/DCS</translation>
    </message>
    <message>
        <source>发射亚音</source>
        <translation>TX CTCSS/DCS</translation>
    </message>
    <message>
        <source>繁忙锁定</source>
        <translation>Busy Lockout</translation>
    </message>
    <message>
        <source>带宽</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>扫描添加</source>
        <translation>Scan Add</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>显示方式</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>扫描模式</source>
        <translation>Scan Mode</translation>
    </message>
    <message>
        <source>尾音消除</source>
        <translation>Tail Elim.</translation>
    </message>
    <message>
        <source>手动设置</source>
        <translation>Manual Setup</translation>
    </message>
    <message>
        <source>提示音</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>电池省电</source>
        <translation>Battery Save</translation>
    </message>
    <message>
        <source>静噪等级</source>
        <translation>Squelch</translation>
    </message>
    <message>
        <source>发射限时</source>
        <translation>TX Timeout</translation>
    </message>
    <message>
        <source>声控电平</source>
        <translation>VOX Level</translation>
    </message>
    <message>
        <source>发射结束提示音</source>
        <translation>Roger Beep</translation>
    </message>
    <message>
        <source>优先信道</source>
        <translation>Priority Ch.</translation>
    </message>
    <message>
        <source>信道模式</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>频率模式</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>频/信模式</source>
        <translation>Freq + Ch</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>120度相位偏移</source>
        <translation>120° shift</translation>
    </message>
    <message>
        <source>180度相位偏移</source>
        <translation>180° shift</translation>
    </message>
    <message>
        <source>240度相位偏移</source>
        <translation>240° shift</translation>
    </message>
    <message>
        <source>监听</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>优先扫描</source>
        <translation>Priority Scan</translation>
    </message>
    <message>
        <source>高低功率</source>
        <translation>High/Low Power</translation>
    </message>
    <message>
        <source>脱网</source>
        <translation>Talkaround</translation>
    </message>
    <message>
        <source>倒频</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>声控开关</source>
        <translation>VOX On/Off</translation>
    </message>
    <message>
        <source>DTMF呼叫</source>
        <translation>DTMF Call</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>剪切选中的单元格或信道</source>
        <translation>Cut the selected cells or channels</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>复制选中的单元格或信道</source>
        <translation>Copy the selected cells or channels</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>从剪贴板粘贴单元格或信道</source>
        <translation>Paste cells or channels from the clipboard</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>清除选中的单元格</source>
        <translation>Clear the selected cells</translation>
    </message>
    <message>
        <source>插入空信道(&amp;I)</source>
        <translation>&amp;Insert Empty Channel</translation>
    </message>
    <message>
        <source>在当前行插入一个空信道，后面的信道下移</source>
        <translation>Insert an empty channel at the current row; the channels below move down</translation>
    </message>
    <message>
        <source>插入空信道</source>
        <translation>Insert Empty Channel</translation>
    </message>
    <message>
        <source>删除信道(&amp;L)</source>
        <translation>De&amp;lete Channels</translation>
    </message>
    <message>
        <source>删除选中的信道，后面的信道上移</source>
        <translation>Delete the selected channels; the channels below move up</translation>
    </message>
    <message>
        <source>删除信道</source>
        <translation>Delete Channels</translation>
    </message>
    <message>
        <source>批量设置(&amp;B)...</source>
        <translation>&amp;Bulk Edit...</translation>
    </message>
    <message>
        <source>对选中的信道一次设置多项</source>
        <translation>Set several properties of the selected channels at once</translation>
    </message>
    <message>
        <source>批量设置</source>
        <translation>Bulk Edit</translation>
    </message>
    <message>
        <source>排序(&amp;S)</source>
        <translation>&amp;Sort</translation>
    </message>
    <message>
        <source>按接收频率</source>
        <translation>By RX Frequency</translation>
    </message>
    <message>
        <source>按接收频率排列选中的信道（未选时为全部信道）</source>
        <translation>Sort the selected channels (all channels when none are selected) by receive frequency</translation>
    </message>
    <message>
        <source>按名称</source>
        <translation>By Name</translation>
    </message>
    <message>
        <source>按名称排列选中的信道（未选时为全部信道）</source>
        <translation>Sort the selected channels (all channels when none are selected) by name</translation>
    </message>
    <message>
        <source>按信道号</source>
        <translation>By Channel Number</translation>
    </message>
    <message>
        <source>按信道号排列选中的信道，空信道移到后面</source>
        <translation>Keep the selected channels in channel order and move empty channels to the end</translation>
    </message>
    <message>
        <source>降序</source>
        <translation>Descending</translation>
    </message>
    <message>
        <source>排序时从大到小</source>
        <translation>Sort from largest to smallest</translation>
    </message>
    <message>
        <source>上移(&amp;M)</source>
        <translation>&amp;Move Up</translation>
    </message>
    <message>
        <source>将选中的信道上移一行</source>
        <translation>Move the selected channels up one row</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>下移(&amp;N)</source>
        <translation>Move Dow&amp;n</translation>
    </message>
    <message>
        <source>将选中的信道下移一行</source>
        <translation>Move the selected channels down one row</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>整理空信道(&amp;K)</source>
        <translation>Pac&amp;k Empty Channels</translation>
    </message>
    <message>
        <source>将空信道移到最后，其余信道依次前移</source>
        <translation>Move empty channels to the end; the other channels move up in order</translation>
    </message>
    <message>
        <source>整理空信道</source>
        <translation>Pack Empty Channels</translation>
    </message>
    <message>
        <source>向下填充(&amp;F)</source>
        <translation>&amp;Fill Down</translation>
    </message>
    <message>
        <source>用选中区域最上面的单元格填充下面的单元格</source>
        <translation>Fill the selected cells from the top cell of the selection</translation>
    </message>
    <message>
        <source>向下填充</source>
        <translation>Fill Down</translation>
    </message>
    <message>
        <source>同频</source>
        <translation>Simplex</translation>
    </message>
    <message>
        <source>单独设置</source>
        <translation>Split</translation>
    </message>
    <message>
        <source>其他偏移...</source>
        <translation>Other Offset...</translation>
    </message>
    <message>
        <source>频差 (MHz):</source>
        <translation>Offset (MHz):</translation>
    </message>
    <message numerus="yes">
        <source>对选中的 %n 个信道设置勾选的各项；空信道和电子串号保持不变。</source>
        <translation>
            <numerusform>Set the checked properties of the %n selected channel; empty channels and the serial number stay as they are.</numerusform>
            <numerusform>Set the checked properties of the %n selected channels; empty channels and the serial number stay as they are.</numerusform>
        </translation>
    </message>
    <message>
        <source>单独设置时填发射频率</source>
        <translation>For Split, enter the transmit frequency</translation>
    </message>
    <message>
        <source>名称前缀</source>
        <translation>Name Prefix</translation>
    </message>
    <message>
        <source>名称 = 前缀 + 信道号</source>
        <translation>Name = prefix + channel number</translation>
    </message>
    <message>
        <source>频差或频率无效</source>
        <translation>Invalid offset or frequency</translation>
    </message>
    <message>
        <source>还没有选择串口：请在“端口设置”菜单中选择编程线所接的串口。</source>
        <translation>No serial port chosen yet: in the “Port” menu, choose the serial port the programming cable is plugged into.</translation>
    </message>
    <message>
        <source>没有找到任何串口设备，请检查编程线是否插好。</source>
        <translation>No serial devices were found. Check that the programming cable is plugged in.</translation>
    </message>
    <message>
        <source>本机现有的串口设备：%1。</source>
        <translation>Serial devices on this computer: %1.</translation>
    </message>
    <message>
        <source>串口设备 %1 不存在。%2</source>
        <translation>The serial device %1 does not exist. %2</translation>
    </message>
    <message>
        <source>没有权限使用 %1：该设备只允许 root 使用。请让系统管理员把它交给 dialout 组（Arch 上是 uucp），并把用户加入该组，然后注销并重新登录。</source>
        <translation>No permission to use %1: only root may use this device. Ask the system administrator to give it to the dialout group (uucp on Arch) and to add your user to that group, then log out and log in again.</translation>
    </message>
    <message>
        <source>没有权限使用 %1：该设备属于用户组 %2（Debian 和 Ubuntu 上是 dialout，Arch 上是 uucp），当前用户不在这个组里。请把用户加入该组（sudo usermod -a -G %2 $USER），然后注销并重新登录。</source>
        <translation>No permission to use %1: the device belongs to the group %2 (dialout on Debian and Ubuntu, uucp on Arch), and the current user is not in that group. Add the user to the group (sudo usermod -a -G %2 $USER), then log out and log in again.</translation>
    </message>
    <message>
        <source>串口 %1 正被%2占用。请关闭占用它的程序后再试；常见的是 ModemManager（sudo systemctl stop ModemManager）。</source>
        <translation>The serial port %1 is in use by %2. Close the program that holds it and try again; often it is ModemManager (sudo systemctl stop ModemManager).</translation>
    </message>
    <message>
        <source>另一个程序</source>
        <translation>another program</translation>
    </message>
    <message>
        <source>串口 %1 正被%2占用。请关闭该程序后再试。</source>
        <translation>The serial port %1 is in use by %2. Close that program and try again.</translation>
    </message>
    <message>
        <source>%1 不是串口设备。请在“端口设置”菜单中选择编程线所接的串口（如 /dev/ttyUSB0）。</source>
        <translation>%1 is not a serial device. In the “Port” menu, choose the serial port the programming cable is plugged into (such as /dev/ttyUSB0).</translation>
    </message>
    <message>
        <source>%1 无法打开。</source>
        <translation>%1 cannot be opened.</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>进程 %1</source>
        <translation>process %1</translation>
    </message>
    <message>
        <source>%1（进程 %2）</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>%1，在主机 %2 上</source>
        <translation>%1 on host %2</translation>
    </message>
    <!-- The editing session: undo step names and the document's origin. -->
    <message>
        <source>撤销 %1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>重做 %1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>修改信道</source>
        <translation>Edit channel</translation>
    </message>
    <message>
        <source>添加空信道</source>
        <translation>Add empty channel</translation>
    </message>
    <message>
        <source>移除信道</source>
        <translation>Remove channels</translation>
    </message>
    <message>
        <source>剪切单元格</source>
        <translation>Cut cells</translation>
    </message>
    <message>
        <source>粘贴单元格</source>
        <translation>Paste cells</translation>
    </message>
    <message>
        <source>清除单元格</source>
        <translation>Clear cells</translation>
    </message>
    <message>
        <source>向下填充单元格</source>
        <translation>Fill down</translation>
    </message>
    <message>
        <source>信道排序</source>
        <translation>Sort channels</translation>
    </message>
    <message>
        <source>移动信道</source>
        <translation>Move channels</translation>
    </message>
    <message>
        <source>压缩空信道</source>
        <translation>Pack empty channels</translation>
    </message>
    <message>
        <source>设置发射频差</source>
        <translation>Set transmit offset</translation>
    </message>
    <message>
        <source>导入信道表</source>
        <translation>Import channels</translation>
    </message>
    <message>
        <source>修改设置 %1</source>
        <translation>Change setting %1</translation>
    </message>
    <message>
        <source>修改密码</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>选择机型</source>
        <translation>Choose model</translation>
    </message>
    <message>
        <source>选择频段</source>
        <translation>Choose band</translation>
    </message>
    <message>
        <source>修改DTMF设置</source>
        <translation>Change DTMF settings</translation>
    </message>
    <message>
        <source>修改侧键设置</source>
        <translation>Change side keys</translation>
    </message>
    <message>
        <source>修改收音机频道</source>
        <translation>Change FM presets</translation>
    </message>
    <message>
        <source>修改序列号</source>
        <translation>Change serial number</translation>
    </message>
    <message>
        <source>清除序列号</source>
        <translation>Clear serial number</translation>
    </message>
    <message>
        <source>对讲机数据（读于 %1）</source>
        <translation>Radio data (read at %1)</translation>
    </message>
    <message>
        <source>出厂设置数据</source>
        <translation>Factory defaults</translation>
    </message>
    <message>
        <source>备份 %1</source>
        <translation>Backup %1</translation>
    </message>
    <!-- File safety: write-protected files, the file-size limit, no regular file -->
    <message>
        <source>它是写保护（只读）的文件，没有改动。</source>
        <translation>It is write-protected (read-only); it was left as it was.</translation>
    </message>
    <message>
        <source>已达到文件大小上限（ulimit -f）。原文件没有改动。</source>
        <translation>The file-size limit (ulimit -f) was reached. The file was left as it was.</translation>
    </message>
    <message>
        <source>“%1”不是普通文件（而是文件夹、管道或设备），未打开。</source>
        <translation>“%1” is not a regular file (it is a folder, pipe or device); it was not opened.</translation>
    </message>
    <!-- Channels an offset, a bulk value or a fill left as they were -->
    <message numerus="yes">
        <source>%n 个信道保持原样：</source>
        <translation>
            <numerusform>%n channel was left as it was:</numerusform>
            <numerusform>%n channels were left as they were:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个信道的频率将高于频段 %1：%2</source>
        <translation>
            <numerusform>%n channel would go above the band %1: %2</numerusform>
            <numerusform>%n channels would go above the band %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个信道的频率将低于频段 %1：%2</source>
        <translation>
            <numerusform>%n channel would go below the band %1: %2</numerusform>
            <numerusform>%n channels would go below the band %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个信道的频率将低于信道能保存的 10 MHz（频段 %1）：%2</source>
        <translation>
            <numerusform>%n channel would go below 10 MHz, which a channel cannot hold (band %1): %2</numerusform>
            <numerusform>%n channels would go below 10 MHz, which a channel cannot hold (band %1): %2</numerusform>
        </translation>
    </message>
    <!-- The backups dialog -->
    <message>
        <source>备份</source>
        <translation>Backups</translation>
    </message>
    <message>
        <source>日期和时间</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>读出</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>写入前</source>
        <translation>Before write</translation>
    </message>
    <message>
        <source>在文件夹中显示</source>
        <translation>Show in Folder</translation>
    </message>
    <message>
        <source>备份文件夹“%1”中还没有备份。</source>
        <translation>There are no backups in the backups folder “%1” yet.</translation>
    </message>
    <!-- Where the password goes -->
    <message>
        <source>请在设置栏的“%1”框中填入对讲机的密码，然后再读数据。</source>
        <translation>Enter the radio's password in the “%1” box of the settings panel, then read again.</translation>
    </message>
    <!-- orxtool and CSV import at a chosen channel -->
    <message>
        <source>PORT 参数是空的：请给出编程线所接的串口，例如 COM1、ttyUSB0 或 /dev/ttyUSB0。</source>
        <translation>The PORT argument is empty: give the serial port the programming cable is plugged into, such as COM1, ttyUSB0 or /dev/ttyUSB0.</translation>
    </message>
    <message>
        <source>请用 PORT 参数给出编程线所接的串口。</source>
        <translation>Give the serial port the programming cable is plugged into as the PORT argument.</translation>
    </message>
    <message>
        <source>%1 不是串口设备：请用 PORT 参数给出编程线所接的串口（如 /dev/ttyUSB0）。</source>
        <translation>%1 is not a serial device: give the serial port the programming cable is plugged into as the PORT argument (such as /dev/ttyUSB0).</translation>
    </message>
    <message>
        <source>DTCS 亚音没有给出数字亚音码（DtcsCode 为空）</source>
        <translation>the DTCS tone has no code (DtcsCode is empty)</translation>
    </message>
    <message>
        <source>文件的 Location 从 0 开始编号：每一行都导入到下一个信道。</source>
        <translation>The file counts its locations from 0: every row went to the channel after it.</translation>
    </message>
    <message>
        <source>没有按文件的 Location 导入：各行依次导入信道 %1 及其后的信道。</source>
        <translation>The file's Location column was not used: the rows went to channel %1 and the channels after it, in file order.</translation>
    </message>
    <message>
        <source>信道 %1 %2</source>
        <translation>channel %1 %2</translation>
    </message>
    <message>
        <source>设置 %1</source>
        <translation>setting %1</translation>
    </message>
    <message>
        <source>(空)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>字节</source>
        <translation>byte</translation>
    </message>
    <message>
        <source>频段字节</source>
        <translation>band bytes</translation>
    </message>
    <message>
        <source>侧键1 短按</source>
        <translation>side key 1 short</translation>
    </message>
    <message>
        <source>侧键1 长按</source>
        <translation>side key 1 long</translation>
    </message>
    <message>
        <source>侧键2 短按</source>
        <translation>side key 2 short</translation>
    </message>
    <message>
        <source>侧键2 长按</source>
        <translation>side key 2 long</translation>
    </message>
    <!-- Safe writing: backup before a write, serial number kept, continuous writing, failure reasons -->
    <message>
        <source>唤醒：对讲机没有应答</source>
        <translation>Wake-up: the radio did not answer</translation>
    </message>
    <message>
        <source>唤醒：对讲机的应答不对（收到 %1）</source>
        <translation>Wake-up: the radio answered wrongly (got %1)</translation>
    </message>
    <message>
        <source>握手：对讲机没有确认</source>
        <translation>Handshake: the radio did not acknowledge</translation>
    </message>
    <message>
        <source>密码：对讲机的密码与“密码”栏中的不同</source>
        <translation>Password: the radio&apos;s password differs from the one in &quot;Password&quot;</translation>
    </message>
    <message>
        <source>读密码：%1</source>
        <translation>Reading the password: %1</translation>
    </message>
    <message>
        <source>频段：对讲机的频段字节是 %1，要写入的是 %2</source>
        <translation>Band: the radio&apos;s band bytes are %1, the data to write has %2</translation>
    </message>
    <message>
        <source>读频段：%1</source>
        <translation>Reading the band: %1</translation>
    </message>
    <message>
        <source>读数据第 %1 块（地址 0x%2）：%3</source>
        <translation>Read, block %1 (address 0x%2): %3</translation>
    </message>
    <message>
        <source>写入前读取第 %1 块（地址 0x%2）：%3</source>
        <translation>Reading before the write, block %1 (address 0x%2): %3</translation>
    </message>
    <message>
        <source>读电子串号第 %1 块（地址 0x%2）：%3</source>
        <translation>Reading the serial number, block %1 (address 0x%2): %3</translation>
    </message>
    <message>
        <source>写数据第 %1 块（地址 0x%2）：%3</source>
        <translation>Write, block %1 (address 0x%2): %3</translation>
    </message>
    <message>
        <source>读回校验第 %1 块（地址 0x%2）：%3</source>
        <translation>Read-back, block %1 (address 0x%2): %3</translation>
    </message>
    <message>
        <source>对讲机没有应答</source>
        <translation>the radio did not answer</translation>
    </message>
    <message>
        <source>应答不对（收到 %1）</source>
        <translation>wrong answer (got %1)</translation>
    </message>
    <message>
        <source>应答不完整，只收到 %1 / %2 字节</source>
        <translation>reply cut short, only %1 / %2 bytes came</translation>
    </message>
    <message>
        <source>对讲机没有确认</source>
        <translation>the radio did not acknowledge</translation>
    </message>
    <message>
        <source>无法保存写入前的备份，没有写入任何数据</source>
        <translation>The backup before the write could not be saved; nothing was written</translation>
    </message>
    <message>
        <source>这台对讲机刚刚写入过，没有再写</source>
        <translation>This radio was just written; it was not written again</translation>
    </message>
    <message>
        <source>已保留对讲机自己的电子串号 %1</source>
        <translation>The radio keeps its own serial number %1</translation>
    </message>
    <message>
        <source>写数据完成：已写入 %1 块</source>
        <translation>Write done: %1 blocks written</translation>
    </message>
    <message>
        <source>写数据完成：已写入 %1 块，校验无误</source>
        <translation>Write done: %1 blocks written and verified</translation>
    </message>
    <message>
        <source>写入前备份对讲机中的数据</source>
        <translation>Back up the radio&apos;s data before writing</translation>
    </message>
    <message>
        <source>写入文件中的电子串号</source>
        <translation>Write the file&apos;s serial number</translation>
    </message>
    <message>
        <source>连续写入</source>
        <translation>Continuous writing</translation>
    </message>
    <message>
        <source>已写入 %1 台，等待下一台对讲机……</source>
        <translation>%1 radios written, waiting for the next radio...</translation>
    </message>
    <message>
        <source>正在写入第 %1 台对讲机</source>
        <translation>Writing radio %1</translation>
    </message>
    <message>
        <source>第 %1 台已完成，请取下对讲机，再接上下一台</source>
        <translation>Radio %1 is done: take it off and connect the next one</translation>
    </message>
    <message>
        <source>连续写入结束：成功 %1 台，失败 %2 台</source>
        <translation>Continuous writing ended: %1 radios done, %2 failed</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>Verification</translation>
    </message>
    <message>
        <source>写入前备份</source>
        <translation>Backup before write</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>done</translation>
    </message>
    <message>
        <source>成功，保留电子串号</source>
        <translation>done, serial number kept</translation>
    </message>
    <message>
        <source>失败：%1</source>
        <translation>failed: %1</translation>
    </message>
    <message>
        <source>刚写入过，未再写</source>
        <translation>just written, not written again</translation>
    </message>
    <message>
        <source>一致</source>
        <translation>equal</translation>
    </message>
    <message>
        <source>未校验</source>
        <translation>not verified</translation>
    </message>
    <message>
        <source>（无）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>记录已保存：%1</source>
        <translation>Log saved: %1</translation>
    </message>
    <message>
        <source>无法保存连续写入的记录：%1</source>
        <translation>The log of the batch could not be saved: %1</translation>
    </message>
    <!-- A write-protected file offers Save As -->
    <message>
        <source>可以把数据另存为其他文件。</source>
        <translation>You can save the data under another name.</translation>
    </message>
    <message>
        <source>另存为...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>没有这个文件</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>它是一个文件夹</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>名称太长</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>路径中有一部分不是文件夹</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>符号链接太多</source>
        <translation>too many symbolic links</translation>
    </message>
    <message>
        <source>无法读取它</source>
        <translation>it cannot be read</translation>
    </message>
    <message>
        <source>它不是普通文件（而是 FIFO 或设备）</source>
        <translation>it is not a regular file (a FIFO or device)</translation>
    </message>
    <message>
        <source>标准输入</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>标准输出</source>
        <translation>standard output</translation>
    </message>
    <message>
        <source>标准输入只能读取一次</source>
        <translation>standard input can be read only once</translation>
    </message>
    <message>
        <source>无法读取标准输入：%1</source>
        <translation>cannot read standard input: %1</translation>
    </message>
    <message>
        <source>无法打开%1：%2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>无法读取%1：%2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1不是信道数据文件：它只有 %n 字节，需要 4096 字节</source>
        <translation>
            <numerusform>%1 is not a channel-data file: it has %n byte, 4096 are needed</numerusform>
            <numerusform>%1 is not a channel-data file: it has %n bytes, 4096 are needed</numerusform>
        </translation>
    </message>
    <message>
        <source>.sin 文件不会写到终端上；请重定向标准输出或指定一个文件</source>
        <translation>a .sin file is not written to a terminal; redirect standard output or name a file</translation>
    </message>
    <message>
        <source>无法写入标准输出</source>
        <translation>cannot write standard output</translation>
    </message>
    <message>
        <source>无法写入“%1”：文件夹“%2”不存在</source>
        <translation>cannot write '%1': the folder '%2' does not exist</translation>
    </message>
    <message>
        <source>无法写入“%1”：%2</source>
        <translation>cannot write '%1': %2</translation>
    </message>
    <message>
        <source>无法写入“%1”</source>
        <translation>cannot write '%1'</translation>
    </message>
    <message>
        <source>无法读取配置文件“%1”</source>
        <translation>cannot read the configuration file '%1'</translation>
    </message>
    <message>
        <source>无法读取配置文件“%1”：%2</source>
        <translation>cannot read the configuration file '%1': %2</translation>
    </message>
    <message>
        <source>%1；没有写入任何文件</source>
        <translation>%1; nothing written</translation>
    </message>
    <message>
        <source>--lang “%1”不是 en 或 zh</source>
        <translation>--lang '%1' is none of en, zh</translation>
    </message>
    <message>
        <source>未知选项“%1”</source>
        <translation>unknown option '%1'</translation>
    </message>
    <message>
        <source>选项“%1”给出了两次</source>
        <translation>option '%1' given twice</translation>
    </message>
    <message>
        <source>选项“%1”不带值</source>
        <translation>option '%1' takes no value</translation>
    </message>
    <message>
        <source>选项“%1”需要一个值</source>
        <translation>option '%1' needs a value</translation>
    </message>
    <message>
        <source>没有给出命令</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>未知命令“%1”</source>
        <translation>unknown command '%1'</translation>
    </message>
    <message>
        <source>选项“%1”不适用于 %2</source>
        <translation>option '%1' does not apply to %2</translation>
    </message>
    <message>
        <source>输出文件指定了两次（-o 和 OUT）</source>
        <translation>the output is named twice (-o and OUT)</translation>
    </message>
    <message>
        <source>参数个数不对</source>
        <translation>wrong number of arguments</translation>
    </message>
    <message>
        <source>用法：%1</source>
        <translation>usage: %1</translation>
    </message>
    <message>
        <source>用法：orxtool [选项] 命令 参数 [选项]

用 orxprog 程序的代码读、写和比较 ORX 手持对讲机的信道数据文件（.sin），
也能读写对讲机本身。
</source>
        <translation>Usage: orxtool [OPTIONS] COMMAND ARGUMENTS [OPTIONS]

Reads, writes and compares the channel-data files (.sin) of the ORX handheld radio
with the code of the orxprog program, and reads and writes the radio itself.
</translation>
    </message>
    <message>
        <source>命令：</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>选项：</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>文件名为“-”时读标准输入或写标准输出（.sin 文件不会写到终端上）。PORT 是
COM1..COM8（前八个串口）、/dev 下的设备（ttyUSB0）或一个路径。选项可以放在命令之前或之后；
“--”结束选项。
</source>
        <translation>A file name of &quot;-&quot; reads standard input or writes standard output (a .sin file is never
written to a terminal). PORT is COM1..COM8 (the first eight serial ports), a device under /dev
(ttyUSB0) or a path. Options may stand before or after the command; &quot;--&quot; ends them.
</translation>
    </message>
    <message>
        <source>退出状态：
  0  完成（diff：两个文件相同）
  1  无法写入输出（diff：两个文件不同）
  2  用法错误或输入文件不可用；没有写入任何文件
  3  csv-import 拒绝了 CSV 文件中的某些行（其他行已写入）；
     read、write：无法打开端口或对讲机出错（write --verify：或对讲机中的数据与写入的不同）
  130  read、write：被 Ctrl+C 中止（读取时不写文件）
</source>
        <translation>Exit status:
  0  done (diff: the files are equal)
  1  an output could not be written (diff: the files differ)
  2  bad usage or an unusable input file; nothing was written
  3  csv-import refused rows of the CSV file (the other rows are written);
     read, write: the port could not be opened or the radio failed (write --verify: or the
     radio holds other data than written)
  130  read, write: stopped with Ctrl+C (a read writes no file)
</translation>
    </message>
    <message>
        <source>写出程序为新文档保存的文件</source>
        <translation>write the file the program saves for a new document</translation>
    </message>
    <message>
        <source>打印 128 行信道（以制表符分隔）和各项设置（名称=值）；--json：JSON 文档</source>
        <translation>print the 128 channel rows (tab-separated) and the settings (name=value); --json: the JSON document</translation>
    </message>
    <message>
        <source>写出程序打开 IN.sin 再保存时写的文件</source>
        <translation>write the file the program saves when it opens IN.sin and saves it</translation>
    </message>
    <message>
        <source>B.sin 相对 A.sin 改了什么：逐项列出，然后是其他不同的字节</source>
        <translation>what B.sin changes against A.sin, field by field, then the other differing bytes</translation>
    </message>
    <message>
        <source>把信道写成常见的多机型信道 CSV（UTF-8，CRLF）</source>
        <translation>write the channels as the common multi-radio channel CSV (UTF-8, CRLF)</translation>
    </message>
    <message>
        <source>像程序的导入那样把 DATA.csv 应用到 IN.sin，保存 OUT.sin，并报告每一行</source>
        <translation>apply DATA.csv to IN.sin as the program's import does, save OUT.sin, report each row</translation>
    </message>
    <message>
        <source>像程序的“%1”那样排列信道（空信道放到最后），保存 OUT.sin</source>
        <translation>sort the channels (empty ones to the end) as the program's %1 does, save OUT.sin</translation>
    </message>
    <message>
        <source>像程序的“%1”那样给多个信道设置数值，保存 OUT.sin</source>
        <translation>set values into many channels as the program's %1 does, save OUT.sin</translation>
    </message>
    <message>
        <source>把串口 PORT 上的对讲机读入 OUT.sin</source>
        <translation>read the radio on the serial port PORT into OUT.sin</translation>
    </message>
    <message>
        <source>把 IN.sin 按程序保存时的编码写入 PORT 上的对讲机</source>
        <translation>write IN.sin, encoded as the program saves it, into the radio on PORT</translation>
    </message>
    <message>
        <source>把整个映像写成 json-import 能逐字节读回的 JSON 文档</source>
        <translation>write the whole image as the JSON document that json-import reads back byte for byte</translation>
    </message>
    <message>
        <source>写出 json-export（或 dump --json）的 JSON 文档所描述的映像</source>
        <translation>write the image a JSON document of json-export (or dump --json) describes</translation>
    </message>
    <message>
        <source>从这个 Program.ini 读取机型和频段列表（默认：orxprog 读取的那个，
~/.config/orxprog/Program.ini 优先于安装的文件）</source>
        <translation>take the model and band lists from this Program.ini (default: the one orxprog reads,
~/.config/orxprog/Program.ini over the installed one)</translation>
    </message>
    <message>
        <source>new、write：频段（MHz），例如 400-470（默认：文件的频段）</source>
        <translation>new, write: the band in MHz, for example 400-470 (default: the file's band)</translation>
    </message>
    <message>
        <source>read：对讲机的密码（如果有）</source>
        <translation>read: the radio's password, if it has one</translation>
    </message>
    <message>
        <source>dump：输出一个 JSON 文档，而不是文本行</source>
        <translation>dump: one JSON document instead of the text lines</translation>
    </message>
    <message>
        <source>write：读回写入的数据并比较（不同时退出状态为 3）</source>
        <translation>write: read the written data back and compare (exit status 3 when it differs)</translation>
    </message>
    <message>
        <source>read、write：不保留备份（write：也不在写入前读取对讲机）</source>
        <translation>read, write: keep no backup (write: nor read the radio before writing it)</translation>
    </message>
    <message>
        <source>write：写入文件中的电子串号，不保留对讲机自己的</source>
        <translation>write: write the file's serial number instead of keeping the radio's</translation>
    </message>
    <message>
        <source>write：在 PORT 上依次写入 N 台对讲机（0：直到按 Ctrl+C）</source>
        <translation>write: write N radios one after the other on PORT (0: until Ctrl+C)</translation>
    </message>
    <message>
        <source>sort：频率/freq（接收频率）、名称/name 或 信道号/number（信道现在的顺序）</source>
        <translation>sort: freq (receive frequency), name or number (the order they stand in)</translation>
    </message>
    <message>
        <source>sort：反向排列（空信道仍放到最后）</source>
        <translation>sort: the other way round (empty channels still go to the end)</translation>
    </message>
    <message>
        <source>sort、set：要处理的信道，例如 1-16,20（默认：全部）</source>
        <translation>sort, set: the channels to work on, for example 1-16,20 (default: all)</translation>
    </message>
    <message>
        <source>set：发射 = 接收 +MHZ 或 -MHZ（例如 -0.6），0 表示收发相同</source>
        <translation>set: transmit = receive +MHZ or -MHZ (for example -0.6), or 0 for the same</translation>
    </message>
    <message>
        <source>set：所有信道使用同一个发射频率（异频）</source>
        <translation>set: one transmit frequency for all of them (split)</translation>
    </message>
    <message>
        <source>set：接收亚音：%1（标准亚音）</source>
        <translation>set: receive tone: %1 (standard tones)</translation>
    </message>
    <message>
        <source>set：发射亚音，同 --rx-tone</source>
        <translation>set: transmit tone, as --rx-tone</translation>
    </message>
    <message>
        <source>set：遇忙禁发</source>
        <translation>set: busy-channel lockout</translation>
    </message>
    <message>
        <source>set：发射功率</source>
        <translation>set: transmit power</translation>
    </message>
    <message>
        <source>set：带宽</source>
        <translation>set: bandwidth</translation>
    </message>
    <message>
        <source>set：是否加入扫描</source>
        <translation>set: in the scan list</translation>
    </message>
    <message>
        <source>set：何时发送 PTT ID 码</source>
        <translation>set: when the PTT ID code is sent</translation>
    </message>
    <message>
        <source>set：名称改为 TEXT 后跟信道号</source>
        <translation>set: names become TEXT followed by the channel number</translation>
    </message>
    <message>
        <source>csv-import：按文件中的顺序把各行放到信道 N 及其后的信道（忽略文件的
Location 列）</source>
        <translation>csv-import: put the file's rows on the channels from N on, in file order (its Location column
is ignored)</translation>
    </message>
    <message>
        <source>把输出写到 FILE（代替 OUT 参数；“-”表示标准输出）</source>
        <translation>write the output to FILE (in place of the OUT argument; &quot;-&quot; for standard output)</translation>
    </message>
    <message>
        <source>只打印错误（没有进度条，也不报告导入的各行）</source>
        <translation>print only errors (no progress bar, no report of the rows that were imported)</translation>
    </message>
    <message>
        <source>en 或 zh：消息和数值的语言（默认：区域设置为中文时用中文，
否则用英文）</source>
        <translation>en or zh: the language of messages and values (default: Chinese when the locale
is Chinese, else English)</translation>
    </message>
    <message>
        <source>显示本帮助（在命令之后：该命令的用法）</source>
        <translation>show this help (after a command: that command's usage)</translation>
    </message>
    <message>
        <source>显示版本</source>
        <translation>show the version</translation>
    </message>
    <message>
        <source>--channels “%1”不是 1 到 128 的信道列表（例如 1-16,20）</source>
        <translation>--channels '%1' is not a list of channels from 1 to 128 (for example 1-16,20)</translation>
    </message>
    <message>
        <source>sort 需要 --by 频率、名称或信道号（freq、name、number）</source>
        <translation>sort needs --by freq, name or number</translation>
    </message>
    <message>
        <source>--by “%1”不是频率、名称、信道号（freq、name、number）之一</source>
        <translation>--by '%1' is none of freq, name, number</translation>
    </message>
    <message>
        <source>--offset “%1”不是 +MHZ、-MHZ 或 0（例如 -0.6、+5）</source>
        <translation>--offset '%1' is not +MHZ, -MHZ or 0 (for example -0.6, +5)</translation>
    </message>
    <message>
        <source>--offset 和 --tx 都设置发射频率；只能给出其中一个</source>
        <translation>--offset and --tx both set the transmit frequency; give one of them</translation>
    </message>
    <message>
        <source>--tx “%1”不是以 MHz 为单位的发射频率</source>
        <translation>--tx '%1' is not a transmit frequency in MHz</translation>
    </message>
    <message>
        <source>%1“%2”不是该列可取的值（%3）</source>
        <translation>%1 '%2' is not a value of that column (%3)</translation>
    </message>
    <message>
        <source>%1（标准亚音），%2</source>
        <translation>%1 (standard tones), %2</translation>
    </message>
    <message>
        <source>--name-prefix “%1”含有名称不能保存的字符（0-9、A-Z、“-”和空格，最多 8 个）</source>
        <translation>--name-prefix '%1' holds characters a name cannot store (0-9, A-Z, '-' and space, at most 8)</translation>
    </message>
    <message>
        <source>set 至少需要一个要设置的值（--offset、--tx、--power……）</source>
        <translation>set needs at least one value to set (--offset, --tx, --power, ...)</translation>
    </message>
    <message>
        <source>信道 %1 保持原样：它的发射频率将高于频段 %2</source>
        <translation>channel %1 left as it was: its transmit frequency would be above the band %2</translation>
    </message>
    <message>
        <source>信道 %1 保持原样：它的发射频率将低于频段 %2</source>
        <translation>channel %1 left as it was: its transmit frequency would be below the band %2</translation>
    </message>
    <message>
        <source>信道 %1 保持原样：它的发射频率将低于 10 MHz，在频段 %2 之下</source>
        <translation>channel %1 left as it was: its transmit frequency would be below 10 MHz, under the band %2</translation>
    </message>
    <message>
        <source>它将放到信道 %1，超过了最后一个信道（128）</source>
        <translation>it would go to channel %1, past the last channel (128)</translation>
    </message>
    <message>
        <source>Location “%1”不是 0 到 127 的信道（文件从 0 开始编号）</source>
        <translation>Location '%1' is not a channel from 0 to 127 (the file counts from 0)</translation>
    </message>
    <message>
        <source>Location “%1”不是 1 到 128 的信道</source>
        <translation>Location '%1' is not a channel from 1 to 128</translation>
    </message>
    <message>
        <source>信道 %1 已由第 %2 行设置</source>
        <translation>channel %1 was already set by line %2</translation>
    </message>
    <message>
        <source>Frequency “%1”不是接收频率</source>
        <translation>Frequency '%1' is not a receive frequency</translation>
    </message>
    <message>
        <source>Duplex “%1”不是 ''、'+'、'-'、'split'、'off' 之一</source>
        <translation>Duplex '%1' is none of '', '+', '-', 'split', 'off'</translation>
    </message>
    <message>
        <source>Offset “%1”得不出发射频率</source>
        <translation>Offset '%1' gives no transmit frequency</translation>
    </message>
    <message>
        <source>Tone “%1”不是 ''、'Tone'、'TSQL'、'DTCS'、'Cross' 之一</source>
        <translation>Tone '%1' is none of '', 'Tone', 'TSQL', 'DTCS', 'Cross'</translation>
    </message>
    <message>
        <source>无法理解 CrossMode “%1”</source>
        <translation>CrossMode '%1' is not understood</translation>
    </message>
    <message>
        <source>CTCSS 亚音“%1”不是标准亚音</source>
        <translation>CTCSS tone '%1' is not a standard tone</translation>
    </message>
    <message>
        <source>DCS 码“%1”不是标准码</source>
        <translation>DCS code '%1' is not a standard code</translation>
    </message>
    <message>
        <source>DtcsPolarity “%1”不是 NN、NR、RN、RR 之一</source>
        <translation>DtcsPolarity '%1' is none of NN, NR, RN, RR</translation>
    </message>
    <message>
        <source>Mode “%1”既不是 FM 也不是 NFM</source>
        <translation>Mode '%1' is neither FM nor NFM</translation>
    </message>
    <message>
        <source>Skip “%1”既不是 '' 也不是 'S'</source>
        <translation>Skip '%1' is neither '' nor 'S'</translation>
    </message>
    <message>
        <source>接收频率 %1 超出频段 %2</source>
        <translation>receive frequency %1 is outside the band %2</translation>
    </message>
    <message>
        <source>发射频率 %1 超出频段 %2</source>
        <translation>transmit frequency %1 is outside the band %2</translation>
    </message>
    <message>
        <source>频率 %1 低于 10 MHz，信道存不下</source>
        <translation>frequency %1 is below 10 MHz, which a channel cannot hold</translation>
    </message>
    <message>
        <source>信道 %1 保存着电子串号</source>
        <translation>channel %1 holds the serial number</translation>
    </message>
    <message>
        <source>已拒绝</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>第 %1 行：拒绝：%2</source>
        <translation>line %1: refused: %2</translation>
    </message>
    <message>
        <source>第 %1 行：新建信道 %2</source>
        <translation>line %1: channel %2 added</translation>
    </message>
    <message>
        <source>第 %1 行：修改信道 %2：%3</source>
        <translation>line %1: channel %2 changed: %3</translation>
    </message>
    <message>
        <source>第 %1 行：信道 %2 未变</source>
        <translation>line %1: channel %2 unchanged</translation>
    </message>
    <message>
        <source>；%1“%2”改为“%3”（不在 5 / 6.25 kHz 步进上）</source>
        <translation>; %1 '%2' became '%3' (off the 5 / 6.25 kHz steps)</translation>
    </message>
    <message>
        <source>；%1“%2”改为“%3”</source>
        <translation>; %1 '%2' became '%3'</translation>
    </message>
    <message>
        <source>；警告：功率“%1”按高功率处理</source>
        <translation>; warning: power level '%1' taken as high</translation>
    </message>
    <message>
        <source>；警告：名称截短为“%1”，即信道 %2 的名称</source>
        <translation>; warning: name cut to '%1', the name of channel %2</translation>
    </message>
    <message>
        <source>%1 大于 %2 MiB，不可能是信道文件</source>
        <translation>%1 is larger than %2 MiB, which no channel file is</translation>
    </message>
    <message>
        <source>%1 既不是 UTF-8 也不是 GBK 文本</source>
        <translation>%1 is neither UTF-8 nor GBK text</translation>
    </message>
    <message>
        <source>%1 以 UTF-8 字节顺序标记开头，但第 %2 行不是 UTF-8</source>
        <translation>%1 begins with a UTF-8 byte-order mark, but line %2 is not UTF-8</translation>
    </message>
    <message>
        <source>%1：第 %2 行的引号没有闭合</source>
        <translation>%1: the quote on line %2 is never closed</translation>
    </message>
    <message>
        <source>%1 是空的</source>
        <translation>%1 is empty</translation>
    </message>
    <message>
        <source>%1 没有 %2 列</source>
        <translation>%1 has no %2 column</translation>
    </message>
    <message>
        <source>--first-channel “%1”不是 1 到 128 的信道</source>
        <translation>--first-channel '%1' is not a channel from 1 to 128</translation>
    </message>
    <message>
        <source>文件的位置从 0 开始编号：每一行都放到它后面的那个信道</source>
        <translation>the file counts its locations from 0: every row goes to the channel after it</translation>
    </message>
    <message>
        <source>忽略 Location 列：各行依次放到信道 %1 及其后的信道</source>
        <translation>the Location column is ignored: the rows go to the channels from %1 on</translation>
    </message>
    <message>
        <source>新建 %1，修改 %2，未变 %3，拒绝 %4</source>
        <translation>added %1, changed %2, unchanged %3, refused %4</translation>
    </message>
    <message>
        <source>映像中有 JSON 文档无法表示的字节；没有写入任何文件</source>
        <translation>the image holds bytes the JSON document cannot say; nothing written</translation>
    </message>
    <message>
        <source>%1 大于 16 MiB；它不是映像文档</source>
        <translation>%1 is larger than 16 MiB; it is no image document</translation>
    </message>
    <message>
        <source>%1：%2：%3；没有写入任何文件</source>
        <translation>%1: %2: %3; nothing written</translation>
    </message>
    <message>
        <source>%1：%2；没有写入任何文件</source>
        <translation>%1: %2; nothing written</translation>
    </message>
    <message>
        <source>密码最多 6 位数字</source>
        <translation>a password is up to 6 digits</translation>
    </message>
    <message>
        <source>频段写作“下限-上限”（MHz），例如 136-174</source>
        <translation>a band is LOW-HIGH in MHz, for example 136-174</translation>
    </message>
    <message>
        <source>--repeat 需要对讲机的台数，0 表示一直写到按 Ctrl+C</source>
        <translation>--repeat takes a number of radios, 0 for as many as come until Ctrl+C</translation>
    </message>
    <message numerus="yes">
        <source>本批共 %n 台对讲机：成功 %1 台，失败 %2 台</source>
        <translation>
            <numerusform>%n radio in the batch: %1 done, %2 failed</numerusform>
            <numerusform>%n radios in the batch: %1 done, %2 failed</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 不是文件（%2）</source>
        <translation>%1 is not a file (%2)</translation>
    </message>
    <message>
        <source>无法在它所在的文件夹中创建新文件（%1）</source>
        <translation>no new file can be made in its folder (%1)</translation>
    </message>
    <message>
        <source>新文件无法替换它（%1）</source>
        <translation>the new file could not replace it (%1)</translation>
    </message>
    <message>
        <source>%1 是写保护的（%2）</source>
        <translation>%1 is write-protected (%2)</translation>
    </message>
    <message>
        <source>已达到文件大小限制（ulimit -f）</source>
        <translation>the file-size limit (ulimit -f) was reached</translation>
    </message>
    <message>
        <source>%1；%2 保持原样</source>
        <translation>%1; %2 was left as it was</translation>
    </message>
    <message>
        <source>写入 %1 时中途失败（%2）；完整的新文件是 %3</source>
        <translation>writing into %1 failed part-way (%2); the complete new file is %3</translation>
    </message>
    <message>
        <source>请用 --password 给出对讲机的密码，然后再读一次。</source>
        <translation>Give the radio's password with --password, then read again.</translation>
    </message>
    <message>
        <source>必须是一个对象</source>
        <translation>must be an object</translation>
    </message>
    <message>
        <source>不是这个对象的键</source>
        <translation>is not a key of this object</translation>
    </message>
    <message>
        <source>缺少这一项</source>
        <translation>is missing</translation>
    </message>
    <message>
        <source>必须是 %1 到 %2 的整数</source>
        <translation>must be a whole number from %1 to %2</translation>
    </message>
    <message>
        <source>必须是 %1 到 %2 的数</source>
        <translation>must be a number from %1 to %2</translation>
    </message>
    <message>
        <source>小数超过 %1 位</source>
        <translation>has more than %1 decimals</translation>
    </message>
    <message>
        <source>必须是 true 或 false</source>
        <translation>must be true or false</translation>
    </message>
    <message>
        <source>必须是字符串</source>
        <translation>must be a string</translation>
    </message>
    <message>
        <source>必须是 %1 之一</source>
        <translation>must be one of %1</translation>
    </message>
    <message>
        <source>必须是用十六进制数字写的 %1 个字节</source>
        <translation>must be %1 bytes as hexadecimal digits</translation>
    </message>
    <message>
        <source>必须是用十六进制数字写的 %1 到 %2 个字节</source>
        <translation>must be %1 to %2 bytes as hexadecimal digits</translation>
    </message>
    <message>
        <source>CTCSS 亚音只有 &quot;type&quot; 和 &quot;hz&quot; 两项</source>
        <translation>a CTCSS tone has only &quot;type&quot; and &quot;hz&quot;</translation>
    </message>
    <message>
        <source>DCS 亚音没有 &quot;hz&quot;</source>
        <translation>a DCS tone has no &quot;hz&quot;</translation>
    </message>
    <message>
        <source>必须是 000 到 %1 的 DCS 码数字</source>
        <translation>must be the digits of a DCS code from 000 to %1</translation>
    </message>
    <message>
        <source>信道 %1 给出了两次</source>
        <translation>channel %1 is given twice</translation>
    </message>
    <message>
        <source>没有 rx_mhz 的信道不能有其他值</source>
        <translation>a channel without rx_mhz takes no other values</translation>
    </message>
    <message>
        <source>必须是用十六进制数字写的 4 个字节（没有 rx_mhz 的信道为 24 个）</source>
        <translation>must be 4 bytes as hexadecimal digits (or the 24 of a channel without rx_mhz)</translation>
    </message>
    <message>
        <source>超过 8 个字符</source>
        <translation>has more than 8 characters</translation>
    </message>
    <message>
        <source>只能含有 0-9、A-Z、'-' 和空格</source>
        <translation>may hold only 0-9, A-Z, '-' and space</translation>
    </message>
    <message>
        <source>必须是 %1 的倍数</source>
        <translation>must be a multiple of %1</translation>
    </message>
    <message>
        <source>最多 6 位数字</source>
        <translation>must be at most 6 digits</translation>
    </message>
    <message>
        <source>最多 8 个 0-9、A-D、'*' 和 '#'</source>
        <translation>must be at most 8 of 0-9, A-D, '*' and '#'</translation>
    </message>
    <message>
        <source>必须是含 32 个值的数组</source>
        <translation>must be an array of 32 values</translation>
    </message>
    <message>
        <source>必须是数组</source>
        <translation>must be an array</translation>
    </message>
    <message>
        <source>必须是 0x000 到 0xFFF 的偏移</source>
        <translation>must be an offset from 0x000 to 0xFFF</translation>
    </message>
    <message>
        <source>不是 JSON：%1（第 %2 行第 %3 列）</source>
        <translation>not JSON: %1 at line %2, column %3</translation>
    </message>
    <message>
        <source>必须是 &quot;%1&quot;</source>
        <translation>must be &quot;%1&quot;</translation>
    </message>
    <message>
        <source>不认识版本 %1（本程序读取版本 %2）</source>
        <translation>version %1 is not known (this program reads %2)</translation>
    </message>
    <message>
        <source>必须是含 128 个信道的数组</source>
        <translation>must be an array of 128 channels</translation>
    </message>
    <message>
        <source>必须是 1 到 16 个可打印的 ASCII 字符，或 null</source>
        <translation>must be 1 to 16 printable ASCII characters, or null</translation>
    </message>
    <message>
        <source>信道 63 保存着电子串号；它的 rx_mhz 必须是 null</source>
        <translation>channel 63 holds the serial number; its rx_mhz must be null</translation>
    </message>
    <!-- A command on many channels left some of them as they were -->
    <message>
        <source>部分信道未修改</source>
        <translation>Channels left as they were</translation>
    </message>
    <!-- Importing a CSV file at the current channel -->
    <message>
        <source>导入 CSV 到当前信道(&amp;C)...</source>
        <translation>Import CSV at &amp;Current Channel...</translation>
    </message>
    <message>
        <source>从当前信道起依次导入 CSV 文件中的信道，不按文件的 Location 列</source>
        <translation>Import the channels of a CSV file in file order from the current channel on, ignoring its Location column</translation>
    </message>
    <message>
        <source>导入 CSV 到当前信道</source>
        <translation>Import CSV at current channel</translation>
    </message>
</context>
</TS>
