#pragma once

// The program's own texts: menus, prompts, tooltips, captions and messages, in the words the radio
// users know. Everything the user reads that is not a grid text or a settings list entry is here.
//
// They are the source texts of the translations: the screen shows res::Tr(text) (Tr.h), and
// res/i18n/orxprog_en.ts holds the English of every text here and of the grid texts and settings
// lists of the image library (tst_translations checks that none is missing). A text that is not
// meant for the screen (a file name, an extension) is used as it is.

namespace res {

// Application and document.
inline constexpr const char* kAppTitle = "ORX 写频软件";
inline constexpr const char* kIdleStatus = "准备";
inline constexpr const char* kFileFilter = "Channel Data (*.sin)";
inline constexpr const char* kAllFilesFilter = "所有文件 (*)";
inline constexpr const char* kFileExtension = "sin";
inline constexpr const char* kDocumentTypeName = "Write Data";
inline constexpr const char* kUntitled = "无标题";
inline constexpr const char* kFactoryFileName = "Factory default.sin";
inline constexpr const char* kVersionText = "版本 1.0.0";

// Status-bar lock indicators.
inline constexpr const char* kCapsIndicator = "大写";
inline constexpr const char* kNumIndicator = "数字";
inline constexpr const char* kScrollIndicator = "滚动";

// Menus.
inline constexpr const char* kMenuFile = "文件(&F)";
inline constexpr const char* kMenuEdit = "编辑(E)";
inline constexpr const char* kMenuProgram = "编程(&P)";
inline constexpr const char* kMenuPort = "端口设置(&C)";
inline constexpr const char* kMenuView = "查看(&V)";
inline constexpr const char* kMenuHelp = "帮助(&H)";

// One menu command: its item text, shortcut, status prompt and toolbar tip.
struct Command {
    const char* text;
    const char* shortcut; // nullptr when none
    const char* prompt;   // nullptr when none
    const char* tip;      // nullptr when none
};

inline constexpr Command kNew = {"新建(&N)", "Ctrl+N", "建立新文档", "新建"};
inline constexpr Command kOpen = {"打开(&O)...", "Ctrl+O", "打开一个现有文档", "打开"};
inline constexpr Command kSave = {"保存(&S)", "Ctrl+S", "保存活动文档", "保存"};
inline constexpr Command kSaveAs = {"另存为(&A)...", nullptr, "将活动文档以一个新文件名保存", "另存为"};
inline constexpr Command kPrint = {"打印(&P)...", "Ctrl+P", "打印活动文档", "打印"};
inline constexpr Command kPrintPreview = {"打印预览(&V)", nullptr, "显示整页", "打印预览"};
inline constexpr Command kPrintSetup = {"打印设置(&R)...", nullptr, "改变打印机及打印选项", "打印设置"};
inline constexpr Command kExit = {"退出(&X)", nullptr, "退出应用程序；提示保存文档", "退出"};
inline constexpr Command kDtmf = {"DTMF", nullptr, nullptr, nullptr};
inline constexpr Command kSideKeys = {"侧键", nullptr, nullptr, nullptr};
inline constexpr Command kPower = {"功率", nullptr, nullptr, nullptr};
inline constexpr Command kFmRadio = {"收音机", nullptr, nullptr, nullptr};
inline constexpr Command kSerialNumber = {"电子串号", nullptr, "编辑电路板的电子串号", "电子串号"};
inline constexpr Command kRead = {"读数据", "Ctrl+R", "读取对讲机频率", "读频"};
inline constexpr Command kWrite = {"写数据", "Ctrl+W", "写频率数据至对讲机", "写频"};
inline constexpr Command kToolbar = {"工具栏(&T)", nullptr, "显示或隐藏工具栏", "显隐工具栏"};
inline constexpr Command kStatusBar = {"状态栏(&S)", nullptr, "显示或隐藏状态栏", "显隐状态栏"};
inline constexpr Command kOpenBackup = {"打开备份(&B)...", nullptr, "打开读写对讲机时自动保存的备份",
                                        "打开备份"};
inline constexpr Command kImportCsv = {"导入 CSV(&I)...", nullptr, "从 CSV 文件导入信道到信道表", "导入 CSV"};
inline constexpr Command kExportCsv = {"导出 CSV(&E)...", nullptr, "将信道表导出为 CSV 文件", "导出 CSV"};
inline constexpr Command kUndo = {"撤销(&U)", "Ctrl+Z", "撤销上一次对信道表的修改", "撤销"};
inline constexpr Command kRedo = {"重做(&R)", "Ctrl+Y", "重做上一次撤销的信道表修改", "重做"};
inline constexpr const char* kRedoAlternateShortcut = "Ctrl+Shift+Z";
// Channel commands: the Edit menu and the grid's context menu.
inline constexpr Command kCut = {"剪切(&T)", "Ctrl+X", "剪切选中的单元格或信道", "剪切"};
inline constexpr Command kCopy = {"复制(&C)", "Ctrl+C", "复制选中的单元格或信道", "复制"};
inline constexpr Command kPaste = {"粘贴(&P)", "Ctrl+V", "从剪贴板粘贴单元格或信道", "粘贴"};
inline constexpr Command kDeleteCells = {"删除(&D)", "Del", "清除选中的单元格", "删除"};
inline constexpr Command kInsertChannel = {"插入空信道(&I)", "Ins", "在当前行插入一个空信道，后面的信道下移",
                                           "插入空信道"};
inline constexpr Command kDeleteChannel = {"删除信道(&L)", "Ctrl+Del", "删除选中的信道，后面的信道上移",
                                           "删除信道"};
inline constexpr Command kBulkSet = {"批量设置(&B)...", "Ctrl+E", "对选中的信道一次设置多项", "批量设置"};
inline constexpr const char* kSortMenu = "排序(&S)";
inline constexpr Command kSortByFrequency = {"按接收频率", nullptr,
                                             "按接收频率排列选中的信道（未选时为全部信道）", nullptr};
inline constexpr Command kSortByName = {"按名称", nullptr, "按名称排列选中的信道（未选时为全部信道）",
                                        nullptr};
inline constexpr Command kSortByNumber = {"按信道号", nullptr, "按信道号排列选中的信道，空信道移到后面",
                                          nullptr};
inline constexpr Command kSortDescending = {"降序", nullptr, "排序时从大到小", nullptr};
inline constexpr Command kMoveUp = {"上移(&M)", "Ctrl+Up", "将选中的信道上移一行", "上移"};
inline constexpr Command kMoveDown = {"下移(&N)", "Ctrl+Down", "将选中的信道下移一行", "下移"};
inline constexpr Command kPackEmpty = {"整理空信道(&K)", nullptr, "将空信道移到最后，其余信道依次前移",
                                       "整理空信道"};
inline constexpr Command kFillDown = {"向下填充(&F)", "Ctrl+D", "用选中区域最上面的单元格填充下面的单元格",
                                      "向下填充"};
// The transmit-frequency cell's offset choices.
inline constexpr const char* kOffsetMenu = "发射频率";
inline constexpr const char* kSimplex = "同频";
inline constexpr const char* kSplit = "单独设置";
inline constexpr const char* kOffsetItem = "%1%2 MHz";
inline constexpr const char* kOtherOffset = "其他偏移...";
inline constexpr const char* kOtherOffsetPrompt = "频差 (MHz):";

// The bulk dialog.
inline constexpr const char* kBulkCaption = "批量设置";
inline constexpr const char* kBulkIntro =
    "对选中的 %n 个信道设置勾选的各项；空信道和电子串号保持不变。"; // %n: plural
inline constexpr const char* kBulkOffset = "发射频率";
inline constexpr const char* kBulkOffsetUnit = "MHz";
inline constexpr const char* kBulkSplitHint = "单独设置时填发射频率";
inline constexpr const char* kBulkRxTone = "接收亚音";
inline constexpr const char* kBulkTxTone = "发射亚音";
inline constexpr const char* kBulkBusyLockout = "繁忙锁定";
inline constexpr const char* kBulkPower = "功率";
inline constexpr const char* kBulkBandwidth = "带宽";
inline constexpr const char* kBulkScanAdd = "扫描添加";
inline constexpr const char* kBulkPttId = "PTT ID";
inline constexpr const char* kBulkNamePrefix = "名称前缀";
inline constexpr const char* kBulkNameHint = "名称 = 前缀 + 信道号";
inline constexpr const char* kBulkBadOffset = "频差或频率无效";
inline constexpr Command kAbout = {"关于 ...", nullptr, "显示程序信息，版本号和版权", "关于"};

// The eight serial ports of the port menu: item text and prompt.
inline constexpr Command kPorts[8] = {
    {"串口1 (COM1)", nullptr, "串口1", nullptr}, {"串口2 (COM2)", nullptr, "串口2", nullptr},
    {"串口3 (COM3)", nullptr, "串口3", nullptr}, {"串口4 (COM4)", nullptr, "串口4", nullptr},
    {"串口5 (COM5)", nullptr, "串口5", nullptr}, {"串口6 (COM6)", nullptr, "串口6", nullptr},
    {"串口7 (COM7)", nullptr, "串口7", nullptr}, {"串口8 (COM8)", nullptr, "串口8", nullptr},
};
inline constexpr const char* kPortNames[8] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};
inline constexpr const char* kOtherPortPrompt = "使用串口设备 %1";
// The item after the devices found, and the question it asks under the menu's name.
inline constexpr const char* kOtherPortItem = "其他串口(&O)...";
inline constexpr const char* kOtherPortQuestion = "串口设备 (例如 /dev/ttyUSB0):";
inline constexpr const char* kPortDialogCaption = "端口设置";

// The language submenu of "查看(&V)". Its title and the two names read the same in either language,
// so they are shown as they are.
inline constexpr const char* kLanguageMenu = "语言 / Language";
inline constexpr const char* kLanguageChinese = "中文";
inline constexpr const char* kLanguageEnglish = "English";

// orxprog --help.
inline constexpr const char* kUsage = "用法: orxprog [--dealer] [--lang zh|en] [文件.sin]\n"
                                      "  --dealer   经销商模式: 显示“出厂化默认”按钮和“电子串号”菜单项\n"
                                      "  --lang     界面语言: zh 中文, en 英文 (默认为上次选择的语言)\n"
                                      "  --version  显示版本\n";

// Exit confirmation (dialog 163).
inline constexpr const char* kExitCaption = "提示";
inline constexpr const char* kExitText = "退出应用程序,  所有未保存数据将会丢失,\n确认要退出.";
inline constexpr const char* kYes = "是";
inline constexpr const char* kNo = "否";

// About box (dialog 100).
inline constexpr const char* kAboutCaption = "关于";
inline constexpr const char* kAboutNotice = "ORX 对讲机写频软件\n版权所有 (C) ORX 通信设备有限公司";
inline constexpr const char* kOk = "确定";
inline constexpr const char* kCancel = "取消";

// DTMF dialog (template 160).
inline constexpr const char* kDtmfCaption = "DTMF";
inline constexpr const char* kDtmfGroup = "编码";
inline constexpr const char* kTxSideTone = "发射侧音";
inline constexpr const char* kRxSideTone = "接收侧音";
inline constexpr const char* kPttIdLabel = "PTT ID";
inline constexpr const char* kOn = "开";
inline constexpr const char* kOff = "关";

// Side-key dialog (template 158). The second group really is spelt with 鍵.
inline constexpr const char* kSideKeyCaption = "侧键";
inline constexpr const char* kSideKey1Group = "侧键1";
inline constexpr const char* kSideKey2Group = "侧鍵2";
inline constexpr const char* kShortPress = "短按";
inline constexpr const char* kLongPress = "长按";

// FM-radio preset dialog (template 168).
inline constexpr const char* kFmRadioCaption = "收音机频率";
inline constexpr const char* kFmFrequencyHeader = "频率";

// Serial-number dialog (template 166) and the question before it overwrites channel 63 (%1).
inline constexpr const char* kSerialNumberCaption = "电子串号";
inline constexpr const char* kSerialNumberLabel = "电子串号 (PCBA)";
inline constexpr const char* kSerialOverwriteText =
    "信道 %1 与电子串号共用存储空间。\n保存电子串号将覆盖信道 %1 的数据，是否继续？";
// Row %1 of the grid while it holds the serial number, and the question before a channel goes there.
inline constexpr const char* kSerialRowLabel = "电子串号";
inline constexpr const char* kSerialRowTip = "信道 %1 的存储空间存放着电子串号";
inline constexpr const char* kSerialRowQuestion =
    "信道 %1 与电子串号共用存储空间。\n在此输入信道将清除电子串号，是否继续？";

// Channel line of the form.
inline constexpr const char* kSettingsGroup = "设置";
inline constexpr const char* kModelLabel = "机型";
inline constexpr const char* kBandLabel = "频段范围";
inline constexpr const char* kPasswordLabel = "密码";
inline constexpr const char* kChannelLabel = "信道:";
inline constexpr const char* kDeleteButton = "删除";
inline constexpr const char* kAddButton = "添加";
inline constexpr const char* kFactoryButton = "出厂化默认";
// The factory-default file is missing: caption, then the sentence, a line feed and the folder.
inline constexpr const char* kFactoryMissingCaption = "Prompt";
inline constexpr const char* kFactoryMissingText = "Can not find \"Factory default.sin\", in the";

// A tone in a grid cell as the user reads it: the CTCSS frequency, the DCS code with N or I.
inline constexpr const char* kAnalogToneShown = "模拟:%1";
inline constexpr const char* kDigitalToneShown = "数字:%1";

// Tone picker (dialog 164).
inline constexpr const char* kToneCaption = "亚音设置";
inline constexpr const char* kToneNone = "无";
inline constexpr const char* kToneAnalog = "模拟亚音";
inline constexpr const char* kToneDcsNormal = "正向数字亚音";
inline constexpr const char* kToneDcsInverted = "反相数字亚音";

// File messages.
inline constexpr const char* kOpenFailed = "无法打开文件“%1”。";
inline constexpr const char* kFileTooShort = "文件“%1”不足 4096 字节，不是信道数据文件，未打开。";
inline constexpr const char* kSaveFailed = "无法保存文件“%1”：%2";
// The reasons in kSaveFailed's %2; every one but the last leaves the file as it was.
inline constexpr const char* kSaveNotAFile = "它不是文件。";
inline constexpr const char* kSaveNoNewFile = "无法在它所在的文件夹中建立新文件（%1）。原文件没有改动。";
inline constexpr const char* kSaveFileUntouched = "。原文件没有改动。";
inline constexpr const char* kSaveInPlaceFailed = "写入中途出错（%1），文件可能不完整；完整的新数据在“%2”。";
// New, Open, the factory defaults and a read replace the screen: asked when it holds unsaved edits.
inline constexpr const char* kSaveChangesQuestion = "是否保存对当前数据的修改?";
// The status bar's document pane: the file name, and the mark of unsaved edits.
inline constexpr const char* kDocumentModified = "%1 (已修改)";
inline constexpr const char* kStartFileFailed = "无法打开命令行指定的文件“%1”，程序将退出。";

// Channel CSV files.
inline constexpr const char* kCsvFilter = "CSV (*.csv)";
inline constexpr const char* kCsvExtension = "csv";
inline constexpr const char* kCsvNotText = "文件“%1”不是 UTF-8 或 GBK 编码的文本，未导入。";
inline constexpr const char* kCsvUnterminatedQuote = "文件“%1”第 %2 行的引号没有结束，未导入。";
inline constexpr const char* kCsvEmpty = "文件“%1”是空的，未导入。";
inline constexpr const char* kCsvMissingColumn = "文件“%1”没有 %2 列，不是信道 CSV 文件，未导入。";
inline constexpr const char* kCsvTooLarge = "文件“%1”大于 %2 MB，不是信道 CSV 文件，未导入。";
inline constexpr const char* kCsvBrokenUtf8 =
    "文件“%1”以 UTF-8 标记开头，但第 %2 行不是 UTF-8 文本，未导入。";

// The import report: caption, summary, table headers, outcomes and the reasons of a row.
inline constexpr const char* kCsvReportCaption = "导入 CSV";
// Both with %n, the rows refused, for the English plural (res::Tr with the number).
inline constexpr const char* kCsvReportCaptionRefused = "导入 CSV：拒绝 %n 行";
inline constexpr const char* kCsvReportSummary = "“%1”：新建 %2 个信道，修改 %3 个，未变 %4 个，拒绝 %n 行。";
inline constexpr const char* kCsvReportLine = "行";
inline constexpr const char* kCsvReportChannel = "信道";
inline constexpr const char* kCsvReportOutcome = "结果";
inline constexpr const char* kCsvReportDetail = "说明";
inline constexpr const char* kCsvAdded = "新建";
inline constexpr const char* kCsvChanged = "修改";
inline constexpr const char* kCsvUnchanged = "未变";
inline constexpr const char* kCsvRefused = "拒绝";
inline constexpr const char* kCsvListSeparator = "、";
inline constexpr const char* kCsvDetailSeparator = "；";
inline constexpr const char* kCsvAdjusted = "%1 %2 改为 %3";
inline constexpr const char* kCsvNameAdjusted = "名称“%1”改为“%2”";
inline constexpr const char* kCsvBadLocation = "Location“%1”不是 1 到 128 的信道号";
inline constexpr const char* kCsvDuplicateLocation = "信道 %1 已由第 %2 行导入";
inline constexpr const char* kCsvBadFrequency = "Frequency“%1”不是有效的接收频率";
inline constexpr const char* kCsvBadDuplex = "Duplex“%1”无法识别（应为空、+、-、split 或 off）";
inline constexpr const char* kCsvBadOffset = "Offset“%1”得不到有效的发射频率";
inline constexpr const char* kCsvBadToneMode = "Tone“%1”无法识别（应为空、Tone、TSQL、DTCS 或 Cross）";
inline constexpr const char* kCsvBadCrossMode = "CrossMode“%1”无法识别";
inline constexpr const char* kCsvBadCtcss = "模拟亚音“%1”不在标准亚音表中";
inline constexpr const char* kCsvBadDcs = "数字亚音“%1”不在标准数字亚音表中";
inline constexpr const char* kCsvBadPolarity = "DtcsPolarity“%1”无法识别（应为 NN、NR、RN 或 RR）";
inline constexpr const char* kCsvBadMode = "Mode“%1”无法识别（应为 FM 或 NFM）";
inline constexpr const char* kCsvBadSkip = "Skip“%1”无法识别（应为空或 S）";
inline constexpr const char* kCsvSerialNumberRow = "信道 %1 存放电子串号，不能导入信道";
inline constexpr const char* kCsvRxOutOfBand = "接收频率 %1 不在频段 %2 内";
inline constexpr const char* kCsvTxOutOfBand = "发射频率 %1 不在频段 %2 内";
inline constexpr const char* kCsvNotStorable = "频率 %1 低于 10 MHz，信道无法保存";
inline constexpr const char* kCsvRounded = "%1 %2 不在 5 / 6.25 kHz 步进上，改为 %3";
inline constexpr const char* kCsvUnknownPower = "功率“%1”无法判断高低，按“高”导入";
inline constexpr const char* kCsvNameCollision = "名称截短为“%1”，与信道 %2 同名";

// What a paste did not take as it was.
inline constexpr const char* kPasteReportCaption = "粘贴";
inline constexpr const char* kPasteReportIntro = "以下频率没有原样粘贴：";
inline constexpr const char* kPasteOutOfBand = "信道 %1 %2 %3 不在频段 %4 内，未粘贴";
inline constexpr const char* kPasteNotStorable = "信道 %1 %2 %3 低于 10 MHz，未粘贴";
inline constexpr const char* kPasteRounded = "信道 %1 %2 %3 不在 5 / 6.25 kHz 步进上，改为 %4";

// Radio link messages.
inline constexpr const char* kPortOpenFailed = "打开串口失败";
inline constexpr const char* kCommError = "通信出错";
inline constexpr const char* kPasswordError = "密码错误";
inline constexpr const char* kBandMismatch = "频率不匹配";
// Verify after write: the message, the line that names what differs, and the read-back failure.
inline constexpr const char* kVerifyMismatch = "校验出错：对讲机中的数据与写入的不同";
inline constexpr const char* kVerifyDifferences = "不同之处：%1。";
inline constexpr const char* kListSeparator = "、";
inline constexpr const char* kVerifyCommError = "数据已写入，但读回校验时通信出错";
// What differs, as the user names it.
inline constexpr const char* kAreaChannel = "信道 %1";
inline constexpr const char* kAreaFmPreset = "收音机频率 %1";
inline constexpr const char* kAreaBand = "频段";
inline constexpr const char* kAreaAddress = "地址 0x%1";
// Stopping a transfer: the question before a write is stopped, and the short status afterwards.
inline constexpr const char* kStopWriteQuestion =
    "写数据还没有完成。现在停止，对讲机中只有一部分数据是新的。\n确定要停止写数据吗？";
inline constexpr const char* kReadCancelled = "读数据已取消";
inline constexpr const char* kWriteStopped = "写数据已停止：对讲机收到了 %1 / %2 块";
inline constexpr const char* kVerifyCancelled = "数据已写入，校验已取消";
// The automatic backups.
inline constexpr const char* kBackupFailed = "无法保存备份：%1";
// Why a serial port would not open: the line below "打开串口失败".
inline constexpr const char* kPortNotChosen = "还没有选择串口：请在“端口设置”菜单中选择编程线所接的串口。";
inline constexpr const char* kPortNoDevices = "没有找到任何串口设备，请检查编程线是否插好。";
inline constexpr const char* kPortDevicesFound = "本机现有的串口设备：%1。";
inline constexpr const char* kPortNoSuchDevice = "串口设备 %1 不存在。%2";
inline constexpr const char* kPortRootOnly =
    "没有权限使用 %1：该设备只允许 root 使用。请让系统管理员把它交给 dialout 组"
    "（Arch 上是 uucp），并把用户加入该组，然后注销并重新登录。";
inline constexpr const char* kPortNotInGroup =
    "没有权限使用 %1：该设备属于用户组 %2（Debian 和 Ubuntu 上是 dialout，Arch 上是 uucp），"
    "当前用户不在这个组里。请把用户加入该组（sudo usermod -a -G %2 $USER），"
    "然后注销并重新登录。";
inline constexpr const char* kPortBusyModemManager =
    "串口 %1 正被%2占用。请关闭占用它的程序后再试；"
    "常见的是 ModemManager（sudo systemctl stop ModemManager）。";
inline constexpr const char* kPortAnotherProgram = "另一个程序";
inline constexpr const char* kPortBusy = "串口 %1 正被%2占用。请关闭该程序后再试。";
inline constexpr const char* kPortNotSerial =
    "%1 不是串口设备。请在“端口设置”菜单中选择编程线所接的串口（如 /dev/ttyUSB0）。";
inline constexpr const char* kPortCannotOpen = "%1 无法打开。";
inline constexpr const char* kPortSystemText = "%1：%2";
inline constexpr const char* kPortHolderProcess = "进程 %1";
inline constexpr const char* kPortHolderNamed = "%1（进程 %2）";
inline constexpr const char* kPortHolderOnHost = "%1，在主机 %2 上";

// Transfer progress (dialog 133).
inline constexpr const char* kStart = "开始";
inline constexpr const char* kInitialPercent = "0%";
inline constexpr const char* kVerifyAfterWrite = "写入后校验";

// Power tuning (dialog 167). The six calibration bytes in the radio's order: low end, middle and
// high end of the band, low power before high power.
inline constexpr const char* kPowerTuneCaption = "功率调节";
inline constexpr const char* kPowerButtons[6] = {"低端低功率", "低端高功率", "中端低功率",
                                                 "中端高功率", "高端低功率", "高端高功率"};
inline constexpr const char* kEndTuning = "结束";
inline constexpr const char* kExitTuning = "退出";

// The editing session: the names of the undo steps in the Edit menu, and where the document's
// data came from (status bar).
inline constexpr const char* kUndoStep = "撤销 %1(&U)";
inline constexpr const char* kRedoStep = "重做 %1(&R)";
inline constexpr const char* kStepCellEdit = "修改信道";
inline constexpr const char* kStepAddChannel = "添加空信道";
inline constexpr const char* kStepRemoveChannels = "移除信道";
inline constexpr const char* kStepCut = "剪切单元格";
inline constexpr const char* kStepPaste = "粘贴单元格";
inline constexpr const char* kStepClear = "清除单元格";
inline constexpr const char* kStepFill = "向下填充单元格";
inline constexpr const char* kStepSort = "信道排序";
inline constexpr const char* kStepMove = "移动信道";
inline constexpr const char* kStepPack = "压缩空信道";
inline constexpr const char* kStepOffset = "设置发射频差";
inline constexpr const char* kStepImport = "导入信道表";
inline constexpr const char* kStepSetting = "修改设置 %1";
inline constexpr const char* kStepPassword = "修改密码";
inline constexpr const char* kStepModel = "选择机型";
inline constexpr const char* kStepBand = "选择频段";
inline constexpr const char* kStepDtmf = "修改DTMF设置";
inline constexpr const char* kStepSideKeys = "修改侧键设置";
inline constexpr const char* kStepFmRadio = "修改收音机频道";
inline constexpr const char* kStepSerialNumber = "修改序列号";
inline constexpr const char* kStepClearSerialNumber = "清除序列号";
inline constexpr const char* kOriginRadio = "对讲机数据（读于 %1）";
inline constexpr const char* kOriginFactory = "出厂设置数据";
inline constexpr const char* kOriginBackup = "备份 %1";
// File safety: a file the user protected, the file-size limit, and names that are no regular file.
// The reasons go into kSaveFailed's %2.
inline constexpr const char* kSaveWriteProtected = "它是写保护（只读）的文件，没有改动。";
inline constexpr const char* kSaveFileSizeLimit = "已达到文件大小上限（ulimit -f）。原文件没有改动。";
inline constexpr const char* kOpenNotAFile = "“%1”不是普通文件（而是文件夹、管道或设备），未打开。";

// Channels an offset, a bulk value or a fill left as they were, in one message: the heading with
// their number, then one line per reason (%1 the band, %2 the channels).
inline constexpr const char* kLeftAloneHeading = "%n 个信道保持原样：";
inline constexpr const char* kLeftAboveBand = "%n 个信道的频率将高于频段 %1：%2";
inline constexpr const char* kLeftBelowBand = "%n 个信道的频率将低于频段 %1：%2";
inline constexpr const char* kLeftNotStorable = "%n 个信道的频率将低于信道能保存的 10 MHz（频段 %1）：%2";

// The backups dialog: the automatic backups of reads and writes in a table.
inline constexpr const char* kBackupsCaption = "备份";
inline constexpr const char* kBackupsWhen = "日期和时间";
inline constexpr const char* kBackupsKind = "类型";
inline constexpr const char* kBackupsBand = "频段";
inline constexpr const char* kBackupsSerial = "电子串号";
inline constexpr const char* kBackupsSize = "大小";
inline constexpr const char* kBackupsSizeBytes = "%1 字节";
inline constexpr const char* kBackupKindRead = "读出";
inline constexpr const char* kBackupKindWrite = "写入";
inline constexpr const char* kBackupKindBeforeWrite = "写入前";
inline constexpr const char* kBackupsOpen = "打开";
inline constexpr const char* kBackupsShowFolder = "在文件夹中显示";
inline constexpr const char* kBackupsNone = "备份文件夹“%1”中还没有备份。";

// The second line under "密码错误": where the password goes.
inline constexpr const char* kPasswordHint = "请在设置栏的“%1”框中填入对讲机的密码，然后再读数据。";
// --- orxtool and CSV import at a chosen channel ---------------------------------------------------
// orxtool names the PORT argument where the window names its port menu.
inline constexpr const char* kToolPortEmpty =
    "PORT 参数是空的：请给出编程线所接的串口，例如 COM1、ttyUSB0 或 /dev/ttyUSB0。";
inline constexpr const char* kToolPortArgument = "请用 PORT 参数给出编程线所接的串口。";
inline constexpr const char* kToolPortNotSerial =
    "%1 不是串口设备：请用 PORT 参数给出编程线所接的串口（如 /dev/ttyUSB0）。";
// The label of orxtool's progress bar.
inline constexpr const char* kToolReading = "读数据";
inline constexpr const char* kToolWriting = "写数据";
// A CSV row with Tone DTCS and no DtcsCode (CsvRefusal::BadDcs with an empty value).
inline constexpr const char* kCsvMissingDcs = "DTCS 亚音没有给出数字亚音码（DtcsCode 为空）";
// The first line of an import report when the rows did not go by their Location (CsvNumbering).
inline constexpr const char* kCsvShiftedFromZero =
    "文件的 Location 从 0 开始编号：每一行都导入到下一个信道。";
inline constexpr const char* kCsvFromFirstChannel =
    "没有按文件的 Location 导入：各行依次导入信道 %1 及其后的信道。";

// orxtool diff: the lines of a difference, and the labels of fields no window names this way.
inline constexpr const char* kDiffChannel = "信道 %1 %2";
inline constexpr const char* kDiffSetting = "设置 %1";
inline constexpr const char* kDiffEmpty = "(空)";
inline constexpr const char* kDiffByte = "字节";
inline constexpr const char* kDiffBandBytes = "频段字节";
inline constexpr const char* kDiffSideKeys[4] = {"侧键1 短按", "侧键1 长按", "侧键2 短按", "侧键2 长按"};
// Safe writing: the backup before a write, the radio's own serial number, continuous writing with
// its log, and the reason of a failure (its step and block).
inline constexpr const char* kFailWakeUpSilent = "唤醒：对讲机没有应答";
inline constexpr const char* kFailWakeUpWrong = "唤醒：对讲机的应答不对（收到 %1）";
inline constexpr const char* kFailHandshake = "握手：对讲机没有确认";
inline constexpr const char* kFailPasswordDiffers = "密码：对讲机的密码与“密码”栏中的不同";
inline constexpr const char* kFailPasswordReply = "读密码：%1";
inline constexpr const char* kFailBandDiffers = "频段：对讲机的频段字节是 %1，要写入的是 %2";
inline constexpr const char* kFailBandReply = "读频段：%1";
inline constexpr const char* kFailReadBlock = "读数据第 %1 块（地址 0x%2）：%3";
inline constexpr const char* kFailPreReadBlock = "写入前读取第 %1 块（地址 0x%2）：%3";
inline constexpr const char* kFailSerialBlock = "读电子串号第 %1 块（地址 0x%2）：%3";
inline constexpr const char* kFailWriteBlock = "写数据第 %1 块（地址 0x%2）：%3";
inline constexpr const char* kFailReadBackBlock = "读回校验第 %1 块（地址 0x%2）：%3";
inline constexpr const char* kProblemNoAnswer = "对讲机没有应答";
inline constexpr const char* kProblemWrongAnswer = "应答不对（收到 %1）";
inline constexpr const char* kProblemCutShort = "应答不完整，只收到 %1 / %2 字节";
inline constexpr const char* kProblemNotAcknowledged = "对讲机没有确认";
inline constexpr const char* kPreWriteBackupFailed = "无法保存写入前的备份，没有写入任何数据";
inline constexpr const char* kAlreadyWritten = "这台对讲机刚刚写入过，没有再写";
inline constexpr const char* kSerialKept = "已保留对讲机自己的电子串号 %1";
inline constexpr const char* kWriteDone = "写数据完成：已写入 %1 块";
inline constexpr const char* kWriteDoneVerified = "写数据完成：已写入 %1 块，校验无误";
inline constexpr const char* kPreWriteBackupBox = "写入前备份对讲机中的数据";
inline constexpr const char* kSerialFromFileBox = "写入文件中的电子串号";
inline constexpr const char* kContinuousWriteBox = "连续写入";
inline constexpr const char* kBatchWaiting = "已写入 %1 台，等待下一台对讲机……";
inline constexpr const char* kBatchWriting = "正在写入第 %1 台对讲机";
inline constexpr const char* kBatchRemove = "第 %1 台已完成，请取下对讲机，再接上下一台";
inline constexpr const char* kBatchEnded = "连续写入结束：成功 %1 台，失败 %2 台";
inline constexpr const char* kBatchTime = "时间";
inline constexpr const char* kBatchSerial = "电子串号";
inline constexpr const char* kBatchResult = "结果";
inline constexpr const char* kBatchVerification = "校验";
inline constexpr const char* kBatchBackup = "写入前备份";
inline constexpr const char* kBatchOk = "成功";
inline constexpr const char* kBatchOkSerialKept = "成功，保留电子串号";
inline constexpr const char* kBatchFailed = "失败：%1";
inline constexpr const char* kBatchSkipped = "刚写入过，未再写";
inline constexpr const char* kBatchVerified = "一致";
inline constexpr const char* kBatchNotVerified = "未校验";
inline constexpr const char* kBatchNone = "（无）";
inline constexpr const char* kBatchLogSaved = "记录已保存：%1";
inline constexpr const char* kBatchLogFailed = "无法保存连续写入的记录：%1";

// A save refused because the file is write-protected offers another name.
inline constexpr const char* kSaveProtectedSaveAs = "可以把数据另存为其他文件。";
inline constexpr const char* kSaveAsButton = "另存为...";
// orxtool: its usage, the help of each option, and its messages about files, command lines, CSV
// imports, JSON documents and batches of radios. The English is what the tool printed before it spoke
// Chinese, kept word for word for the scripts that read it.
inline constexpr const char* kToolNoSuchFile = "没有这个文件";
inline constexpr const char* kToolIsFolder = "它是一个文件夹";
inline constexpr const char* kToolNameTooLong = "名称太长";
inline constexpr const char* kToolPermissionDenied = "没有权限";
inline constexpr const char* kToolNotAFolder = "路径中有一部分不是文件夹";
inline constexpr const char* kToolTooManyLinks = "符号链接太多";
inline constexpr const char* kToolCannotBeRead = "无法读取它";
inline constexpr const char* kToolNotRegular = "它不是普通文件（而是 FIFO 或设备）";
inline constexpr const char* kToolStdin = "标准输入";
inline constexpr const char* kToolStdout = "标准输出";
inline constexpr const char* kToolStdinOnce = "标准输入只能读取一次";
inline constexpr const char* kToolCannotReadStdin = "无法读取标准输入：%1";
inline constexpr const char* kToolCannotOpen = "无法打开%1：%2";
inline constexpr const char* kToolCannotRead = "无法读取%1：%2";
inline constexpr const char* kToolShortFile = "%1不是信道数据文件：它只有 %n 字节，需要 4096 字节";
inline constexpr const char* kToolNotToTerminal = ".sin 文件不会写到终端上；请重定向标准输出或指定一个文件";
inline constexpr const char* kToolCannotWriteStdout = "无法写入标准输出";
inline constexpr const char* kToolFolderMissing = "无法写入“%1”：文件夹“%2”不存在";
inline constexpr const char* kToolCannotWriteWhy = "无法写入“%1”：%2";
inline constexpr const char* kToolCannotWrite = "无法写入“%1”";
inline constexpr const char* kToolCannotReadIni = "无法读取配置文件“%1”";
inline constexpr const char* kToolCannotReadIniWhy = "无法读取配置文件“%1”：%2";
inline constexpr const char* kToolNothingWritten = "%1；没有写入任何文件";
inline constexpr const char* kToolBadLang = "--lang “%1”不是 en 或 zh";
inline constexpr const char* kToolUnknownOption = "未知选项“%1”";
inline constexpr const char* kToolOptionTwice = "选项“%1”给出了两次";
inline constexpr const char* kToolOptionNoValue = "选项“%1”不带值";
inline constexpr const char* kToolOptionNeedsValue = "选项“%1”需要一个值";
inline constexpr const char* kToolNoCommand = "没有给出命令";
inline constexpr const char* kToolUnknownCommand = "未知命令“%1”";
inline constexpr const char* kToolOptionNotFor = "选项“%1”不适用于 %2";
inline constexpr const char* kToolOutputTwice = "输出文件指定了两次（-o 和 OUT）";
inline constexpr const char* kToolArgumentCount = "参数个数不对";
inline constexpr const char* kToolUsageLine = "用法：%1";
inline constexpr const char* kToolUsageHead =
    "用法：orxtool [选项] 命令 参数 [选项]\n"
    "\n"
    "用 orxprog 程序的代码读、写和比较 ORX 手持对讲机的信道数据文件（.sin），\n"
    "也能读写对讲机本身。\n";
inline constexpr const char* kToolCommandsHead = "命令：";
inline constexpr const char* kToolOptionsHead = "选项：";
inline constexpr const char* kToolFilesText =
    "文件名为“-”时读标准输入或写标准输出（.sin 文件不会写到终端上）。PORT 是\n"
    "COM1..COM8（前八个串口）、/dev 下的设备（ttyUSB0）或一个路径。选项可以放在命令之前或之后；\n"
    "“--”结束选项。\n";
inline constexpr const char* kToolExitStatusText =
    "退出状态：\n"
    "  0  完成（diff：两个文件相同）\n"
    "  1  无法写入输出（diff：两个文件不同）\n"
    "  2  用法错误或输入文件不可用；没有写入任何文件\n"
    "  3  csv-import 拒绝了 CSV 文件中的某些行（其他行已写入）；\n"
    "     read、write：无法打开端口或对讲机出错（write --verify：或对讲机中的数据与写入的不同）\n"
    "  130  read、write：被 Ctrl+C 中止（读取时不写文件）\n";
inline constexpr const char* kToolNewSummary = "写出程序为新文档保存的文件";
inline constexpr const char* kToolDumpSummary =
    "打印 128 行信道（以制表符分隔）和各项设置（名称=值）；--json：JSON 文档";
inline constexpr const char* kToolResaveSummary = "写出程序打开 IN.sin 再保存时写的文件";
inline constexpr const char* kToolDiffSummary = "B.sin 相对 A.sin 改了什么：逐项列出，然后是其他不同的字节";
inline constexpr const char* kToolCsvExportSummary = "把信道写成常见的多机型信道 CSV（UTF-8，CRLF）";
inline constexpr const char* kToolCsvImportSummary =
    "像程序的导入那样把 DATA.csv 应用到 IN.sin，保存 OUT.sin，并报告每一行";
inline constexpr const char* kToolSortSummary = "像程序的“%1”那样排列信道（空信道放到最后），保存 OUT.sin";
inline constexpr const char* kToolSetSummary = "像程序的“%1”那样给多个信道设置数值，保存 OUT.sin";
inline constexpr const char* kToolReadSummary = "把串口 PORT 上的对讲机读入 OUT.sin";
inline constexpr const char* kToolWriteSummary = "把 IN.sin 按程序保存时的编码写入 PORT 上的对讲机";
inline constexpr const char* kToolJsonExportSummary = "把整个映像写成 json-import 能逐字节读回的 JSON 文档";
inline constexpr const char* kToolJsonImportSummary =
    "写出 json-export（或 dump --json）的 JSON 文档所描述的映像";
inline constexpr const char* kToolIniHelp =
    "从这个 Program.ini 读取机型和频段列表（默认：orxprog 读取的那个，\n"
    "~/.config/orxprog/Program.ini 优先于安装的文件）";
inline constexpr const char* kToolBandHelp = "new、write：频段（MHz），例如 400-470（默认：文件的频段）";
inline constexpr const char* kToolPasswordHelp = "read：对讲机的密码（如果有）";
inline constexpr const char* kToolJsonHelp = "dump：输出一个 JSON 文档，而不是文本行";
inline constexpr const char* kToolVerifyHelp = "write：读回写入的数据并比较（不同时退出状态为 3）";
inline constexpr const char* kToolNoBackupHelp = "read、write：不保留备份（write：也不在写入前读取对讲机）";
inline constexpr const char* kToolSerialFromFileHelp = "write：写入文件中的电子串号，不保留对讲机自己的";
inline constexpr const char* kToolRepeatHelp = "write：在 PORT 上依次写入 N 台对讲机（0：直到按 Ctrl+C）";
inline constexpr const char* kToolByHelp =
    "sort：频率/freq（接收频率）、名称/name 或 信道号/number（信道现在的顺序）";
inline constexpr const char* kToolDescendingHelp = "sort：反向排列（空信道仍放到最后）";
inline constexpr const char* kToolChannelsHelp = "sort、set：要处理的信道，例如 1-16,20（默认：全部）";
inline constexpr const char* kToolOffsetHelp = "set：发射 = 接收 +MHZ 或 -MHZ（例如 -0.6），0 表示收发相同";
inline constexpr const char* kToolTxHelp = "set：所有信道使用同一个发射频率（异频）";
inline constexpr const char* kToolRxToneHelp = "set：接收亚音：%1（标准亚音）";
inline constexpr const char* kToolTxToneHelp = "set：发射亚音，同 --rx-tone";
inline constexpr const char* kToolBusyLockoutHelp = "set：遇忙禁发";
inline constexpr const char* kToolPowerHelp = "set：发射功率";
inline constexpr const char* kToolBandwidthHelp = "set：带宽";
inline constexpr const char* kToolScanAddHelp = "set：是否加入扫描";
inline constexpr const char* kToolPttIdHelp = "set：何时发送 PTT ID 码";
inline constexpr const char* kToolNamePrefixHelp = "set：名称改为 TEXT 后跟信道号";
inline constexpr const char* kToolFirstChannelHelp =
    "csv-import：按文件中的顺序把各行放到信道 N 及其后的信道（忽略文件的\n"
    "Location 列）";
inline constexpr const char* kToolOutputHelp = "把输出写到 FILE（代替 OUT 参数；“-”表示标准输出）";
inline constexpr const char* kToolQuietHelp = "只打印错误（没有进度条，也不报告导入的各行）";
inline constexpr const char* kToolLangHelp = "en 或 zh：消息和数值的语言（默认：区域设置为中文时用中文，\n"
                                             "否则用英文）";
inline constexpr const char* kToolHelpHelp = "显示本帮助（在命令之后：该命令的用法）";
inline constexpr const char* kToolVersionHelp = "显示版本";
inline constexpr const char* kToolBadChannels = "--channels “%1”不是 1 到 128 的信道列表（例如 1-16,20）";
inline constexpr const char* kToolSortNeedsBy = "sort 需要 --by 频率、名称或信道号（freq、name、number）";
inline constexpr const char* kToolBadSortKey = "--by “%1”不是频率、名称、信道号（freq、name、number）之一";
inline constexpr const char* kToolBadOffset = "--offset “%1”不是 +MHZ、-MHZ 或 0（例如 -0.6、+5）";
inline constexpr const char* kToolOffsetAndTx = "--offset 和 --tx 都设置发射频率；只能给出其中一个";
inline constexpr const char* kToolBadTx = "--tx “%1”不是以 MHz 为单位的发射频率";
inline constexpr const char* kToolNotColumnValue = "%1“%2”不是该列可取的值（%3）";
inline constexpr const char* kToolToneValues = "%1（标准亚音），%2";
inline constexpr const char* kToolBadNamePrefix =
    "--name-prefix “%1”含有名称不能保存的字符（0-9、A-Z、“-”和空格，最多 8 个）";
inline constexpr const char* kToolSetNeedsValue = "set 至少需要一个要设置的值（--offset、--tx、--power……）";
inline constexpr const char* kToolLeftAboveBand = "信道 %1 保持原样：它的发射频率将高于频段 %2";
inline constexpr const char* kToolLeftBelowBand = "信道 %1 保持原样：它的发射频率将低于频段 %2";
inline constexpr const char* kToolLeftUnderTen =
    "信道 %1 保持原样：它的发射频率将低于 10 MHz，在频段 %2 之下";
inline constexpr const char* kToolPastLastChannel = "它将放到信道 %1，超过了最后一个信道（128）";
inline constexpr const char* kToolBadLocationFromZero =
    "Location “%1”不是 0 到 127 的信道（文件从 0 开始编号）";
inline constexpr const char* kToolBadLocation = "Location “%1”不是 1 到 128 的信道";
inline constexpr const char* kToolDuplicateLocation = "信道 %1 已由第 %2 行设置";
inline constexpr const char* kToolBadFrequency = "Frequency “%1”不是接收频率";
inline constexpr const char* kToolBadDuplex = "Duplex “%1”不是 ''、'+'、'-'、'split'、'off' 之一";
inline constexpr const char* kToolBadCsvOffset = "Offset “%1”得不出发射频率";
inline constexpr const char* kToolBadToneMode = "Tone “%1”不是 ''、'Tone'、'TSQL'、'DTCS'、'Cross' 之一";
inline constexpr const char* kToolBadCrossMode = "无法理解 CrossMode “%1”";
inline constexpr const char* kToolBadCtcss = "CTCSS 亚音“%1”不是标准亚音";
inline constexpr const char* kToolBadDcs = "DCS 码“%1”不是标准码";
inline constexpr const char* kToolBadPolarity = "DtcsPolarity “%1”不是 NN、NR、RN、RR 之一";
inline constexpr const char* kToolBadMode = "Mode “%1”既不是 FM 也不是 NFM";
inline constexpr const char* kToolBadSkip = "Skip “%1”既不是 '' 也不是 'S'";
inline constexpr const char* kToolRxOutOfBand = "接收频率 %1 超出频段 %2";
inline constexpr const char* kToolTxOutOfBand = "发射频率 %1 超出频段 %2";
inline constexpr const char* kToolNotStorable = "频率 %1 低于 10 MHz，信道存不下";
inline constexpr const char* kToolSerialNumberRow = "信道 %1 保存着电子串号";
inline constexpr const char* kToolRefused = "已拒绝";
inline constexpr const char* kToolLineRefused = "第 %1 行：拒绝：%2";
inline constexpr const char* kToolLineAdded = "第 %1 行：新建信道 %2";
inline constexpr const char* kToolLineChanged = "第 %1 行：修改信道 %2：%3";
inline constexpr const char* kToolLineUnchanged = "第 %1 行：信道 %2 未变";
inline constexpr const char* kToolAdjustedStep = "；%1“%2”改为“%3”（不在 5 / 6.25 kHz 步进上）";
inline constexpr const char* kToolAdjustedName = "；%1“%2”改为“%3”";
inline constexpr const char* kToolUnknownPower = "；警告：功率“%1”按高功率处理";
inline constexpr const char* kToolNameCut = "；警告：名称截短为“%1”，即信道 %2 的名称";
inline constexpr const char* kToolCsvTooLarge = "%1 大于 %2 MiB，不可能是信道文件";
inline constexpr const char* kToolCsvNotText = "%1 既不是 UTF-8 也不是 GBK 文本";
inline constexpr const char* kToolCsvBrokenUtf8 = "%1 以 UTF-8 字节顺序标记开头，但第 %2 行不是 UTF-8";
inline constexpr const char* kToolCsvOpenQuote = "%1：第 %2 行的引号没有闭合";
inline constexpr const char* kToolCsvEmpty = "%1 是空的";
inline constexpr const char* kToolCsvNoColumn = "%1 没有 %2 列";
inline constexpr const char* kToolBadFirstChannel = "--first-channel “%1”不是 1 到 128 的信道";
inline constexpr const char* kToolCountsFromZero = "文件的位置从 0 开始编号：每一行都放到它后面的那个信道";
inline constexpr const char* kToolLocationIgnored = "忽略 Location 列：各行依次放到信道 %1 及其后的信道";
inline constexpr const char* kToolCsvSummary = "新建 %1，修改 %2，未变 %3，拒绝 %4";
inline constexpr const char* kToolJsonUnsayable = "映像中有 JSON 文档无法表示的字节；没有写入任何文件";
inline constexpr const char* kToolJsonTooLarge = "%1 大于 16 MiB；它不是映像文档";
inline constexpr const char* kToolJsonError = "%1：%2：%3；没有写入任何文件";
inline constexpr const char* kToolJsonErrorNoPath = "%1：%2；没有写入任何文件";
inline constexpr const char* kToolBadPassword = "密码最多 6 位数字";
inline constexpr const char* kToolBadBand = "频段写作“下限-上限”（MHz），例如 136-174";
inline constexpr const char* kToolBadRepeat = "--repeat 需要对讲机的台数，0 表示一直写到按 Ctrl+C";
inline constexpr const char* kToolBatchSummary = "本批共 %n 台对讲机：成功 %1 台，失败 %2 台";
inline constexpr const char* kToolSaveNotAFile = "%1 不是文件（%2）";
inline constexpr const char* kToolSaveNoTemp = "无法在它所在的文件夹中创建新文件（%1）";
inline constexpr const char* kToolSaveReplaceFailed = "新文件无法替换它（%1）";
inline constexpr const char* kToolSaveWriteProtected = "%1 是写保护的（%2）";
inline constexpr const char* kToolSaveSizeLimit = "已达到文件大小限制（ulimit -f）";
inline constexpr const char* kToolSaveUntouched = "%1；%2 保持原样";
inline constexpr const char* kToolSaveInPlaceFailed = "写入 %1 时中途失败（%2）；完整的新文件是 %3";
inline constexpr const char* kToolPasswordHint = "请用 --password 给出对讲机的密码，然后再读一次。";
inline constexpr const char* kToolJsonObject = "必须是一个对象";
inline constexpr const char* kToolJsonUnknownKey = "不是这个对象的键";
inline constexpr const char* kToolJsonMissing = "缺少这一项";
inline constexpr const char* kToolJsonWholeNumber = "必须是 %1 到 %2 的整数";
inline constexpr const char* kToolJsonNumber = "必须是 %1 到 %2 的数";
inline constexpr const char* kToolJsonDecimals = "小数超过 %1 位";
inline constexpr const char* kToolJsonBoolean = "必须是 true 或 false";
inline constexpr const char* kToolJsonString = "必须是字符串";
inline constexpr const char* kToolJsonOneOf = "必须是 %1 之一";
inline constexpr const char* kToolJsonHexBytes = "必须是用十六进制数字写的 %1 个字节";
inline constexpr const char* kToolJsonHexBytesRange = "必须是用十六进制数字写的 %1 到 %2 个字节";
inline constexpr const char* kToolJsonCtcssKeys = "CTCSS 亚音只有 \"type\" 和 \"hz\" 两项";
inline constexpr const char* kToolJsonDcsNoHz = "DCS 亚音没有 \"hz\"";
inline constexpr const char* kToolJsonDcsCode = "必须是 000 到 %1 的 DCS 码数字";
inline constexpr const char* kToolJsonChannelTwice = "信道 %1 给出了两次";
inline constexpr const char* kToolJsonEmptyChannel = "没有 rx_mhz 的信道不能有其他值";
inline constexpr const char* kToolJsonHidden =
    "必须是用十六进制数字写的 4 个字节（没有 rx_mhz 的信道为 24 个）";
inline constexpr const char* kToolJsonNameLength = "超过 8 个字符";
inline constexpr const char* kToolJsonNameCharacters = "只能含有 0-9、A-Z、'-' 和空格";
inline constexpr const char* kToolJsonMultiple = "必须是 %1 的倍数";
inline constexpr const char* kToolJsonPassword = "最多 6 位数字";
inline constexpr const char* kToolJsonPttIdCode = "最多 8 个 0-9、A-D、'*' 和 '#'";
inline constexpr const char* kToolJsonPresets = "必须是含 32 个值的数组";
inline constexpr const char* kToolJsonArray = "必须是数组";
inline constexpr const char* kToolJsonOffset = "必须是 0x000 到 0xFFF 的偏移";
inline constexpr const char* kToolJsonNotJson = "不是 JSON：%1（第 %2 行第 %3 列）";
inline constexpr const char* kToolJsonMustBe = "必须是 \"%1\"";
inline constexpr const char* kToolJsonVersion = "不认识版本 %1（本程序读取版本 %2）";
inline constexpr const char* kToolJsonChannels = "必须是含 128 个信道的数组";
inline constexpr const char* kToolJsonSerial = "必须是 1 到 16 个可打印的 ASCII 字符，或 null";
inline constexpr const char* kToolJsonSerialChannel = "信道 63 保存着电子串号；它的 rx_mhz 必须是 null";

// The form's message after a command on many channels left some of them as they were.
inline constexpr const char* kLeftAloneCaption = "部分信道未修改";

// Importing a CSV file at the grid's current row, in file order, without its Location column.
inline constexpr Command kImportCsvHere = {"导入 CSV 到当前信道(&C)...", nullptr,
                                           "从当前信道起依次导入 CSV 文件中的信道，不按文件的 Location 列",
                                           "导入 CSV 到当前信道"};

} // namespace res
