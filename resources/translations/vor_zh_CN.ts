<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>VorCliHelp</name>
    <message>
        <source>Talks to the controller over a serial port.</source>
        <translation>通过串口与控制器通信。</translation>
    </message>
    <message>
        <source>Try only this serial port (repeatable, in order) instead of scanning all.</source>
        <translation>只尝试这个串口（可重复，按顺序），不扫描全部串口。</translation>
    </message>
    <message>
        <source>Print every frame sent and received to stderr.</source>
        <translation>把收发的每一帧打印到 stderr。</translation>
    </message>
    <message>
        <source>write: the image to write.</source>
        <translation>write：要写入的配置映像。</translation>
    </message>
    <message>
        <source>describe: take the image from FILE.</source>
        <translation>describe：从 FILE 读取配置映像。</translation>
    </message>
    <message>
        <source>zero: write the lowest values into the controller&apos;s configuration.</source>
        <translation>zero：把最小值写入控制器的配置。</translation>
    </message>
    <message>
        <source>monitor: stop after N polls.</source>
        <translation>monitor：轮询 N 次后停止。</translation>
    </message>
    <message>
        <source>set, apply: check and show the changes, write nothing.</source>
        <translation>set、apply：检查并显示改动，不写入。</translation>
    </message>
    <message>
        <source>write: even when the image needs other definitions than the controller&apos;s, is of another controller, or holds a value out of its range.</source>
        <translation>write：即使映像需要与控制器不同的定义、属于其他控制器或含有超出范围的取值，也写入。</translation>
    </message>
    <message>
        <source>write, set, apply, zero --update: write even when the controller&apos;s configuration cannot be backed up first.</source>
        <translation>write、set、apply、zero --update：即使无法先备份控制器的配置，也写入。</translation>
    </message>
    <message>
        <source>Talk to a simulated controller of model CODE (default VOR) built into the program instead of the serial ports. Write it as --simulate or --simulate=CODE.</source>
        <translation>与程序内置的型号为 CODE（默认 VOR）的模拟控制器通信，而不使用串口。写作 --simulate 或 --simulate=CODE。</translation>
    </message>
    <message>
        <source>Commands:
  scan                     find the controller and print its device path
  read [--out FILE]        read the configuration; print it as hex or save the 128 bytes
  write --in FILE [--force]
                           write a 128-byte image, then read it back and compare;
                           refuses an image that needs other definitions than the
                           controller&apos;s, of another controller (serial number), or with
                           a value out of its range, unless --force
  describe [--image FILE] [--json]
                           print the model&apos;s definitions and the values the pages show
                           for the controller&apos;s image or FILE
  diff FILE [FILE2] [--json]
                           list the switches and parameters whose values differ between
                           FILE and the controller, or FILE2; exit 0 when equal, 1 when
                           they differ
  set NAME=VALUE... [--dry-run]
                           change parameters of the Vehicle, Control and Motor pages by
                           their labels, checked as the pages check them; write, verify
                           and print what changed; check boxes take 0 or 1
  apply FILE [--dry-run] [--json]
                           write FILE&apos;s switches and parameters of the three pages onto
                           the controller&apos;s configuration; of another controller&apos;s file
                           its identification, phase zero offsets and the bytes no page
                           shows are not taken; verify and print what changed
  zero [--update] [--json]
                           read the phase zero offsets three times and print per phase
                           the lowest value and the readings; with --update write the
                           lowest values into the configuration, verify and print what
                           changed
  monitor [--count N] [--json]
                           poll the live data every 200 ms as the Monitor page does and
                           print a CSV line (or a JSON object) per poll until N polls or
                           Ctrl+C
  history [--serial N] [--json]
                           print the service history, newest first: every write to a
                           controller, of controller N only when given, with what it
                           changed and whether it took
  report --out FILE.pdf [--since TIME] [--paper a4|letter]
         [--workshop NAME] [--technician NAME]
                           make the visit report of the controller as a PDF: its changes
                           since TIME (an ISO date or date and time; default today) and its
                           configuration as it stands; workshop, technician and paper are
                           kept as the desktop program&apos;s File &gt; Service Report keeps them
write, set, apply and zero --update back up the controller&apos;s configuration first, into the
desktop program&apos;s backups folder, and write nothing when that fails, unless --write-anyway;
each records the write and what came of it in the service history beside that folder.
set, apply and write refuse a value out of its range with the page&apos;s message.</source>
        <translation>命令：
  scan                     查找控制器并打印其设备路径
  read [--out FILE]        读取配置；以十六进制打印，或保存这 128 个字节
  write --in FILE [--force]
                           写入 128 字节的配置映像，然后读回并比较；
                           除非加 --force，否则拒绝需要与控制器不同的
                           定义的映像、其他控制器（序列号不同）的映像，
                           以及含超出范围取值的映像
  describe [--image FILE] [--json]
                           打印该型号的定义，以及各页面对控制器映像
                           或 FILE 显示的值
  diff FILE [FILE2] [--json]
                           列出 FILE 与控制器（或 FILE2）之间取值不同的
                           开关和参数；相同时退出码为 0，不同时为 1
  set NAME=VALUE... [--dry-run]
                           按标签修改车辆参数、控制参数和电机参数页面的
                           参数，检查方式与页面相同；写入、校验并打印
                           改动；复选框取 0 或 1
  apply FILE [--dry-run] [--json]
                           把 FILE 中三个页面的开关和参数写入控制器的
                           配置；来自其他控制器的文件不带入其标识、
                           相电流零点偏移和页面不显示的字节；校验并
                           打印改动
  zero [--update] [--json]
                           读取三次相电流零点偏移，按相打印最小值和各次
                           读数；加 --update 时把最小值写入配置、校验
                           并打印改动
  monitor [--count N] [--json]
                           像监控页面一样每 200 ms 轮询实时数据，每次
                           轮询打印一行 CSV（或一个 JSON 对象），直到
                           N 次轮询或按 Ctrl+C
  history [--serial N] [--json]
                           打印维修记录，最新的在前：对控制器的每次写入，
                           给出 N 时只列该控制器的；附带改动内容及是否生效
  report --out FILE.pdf [--since TIME] [--paper a4|letter]
         [--workshop NAME] [--technician NAME]
                           把控制器的本次维修报告生成为 PDF：TIME 以来的
                           改动（ISO 日期或日期时间；默认今天）及当前配置；
                           维修店、技师和纸张与桌面程序的“文件 &gt; 维修报告”
                           保存的相同
write、set、apply 和 zero --update 先把控制器的配置备份到桌面程序的备份文件夹；
备份失败时不写入任何内容，除非加 --write-anyway；
每次写入及其结果都记入该文件夹旁的维修记录。
set、apply 和 write 以页面的范围提示拒绝超出范围的取值。</translation>
    </message>
    <message>
        <source>read: save the image to FILE (- for standard output); report: the PDF to make.</source>
        <translation>read：把配置映像保存到 FILE（- 表示标准输出）；report：要生成的 PDF。</translation>
    </message>
    <message>
        <source>describe, diff, zero, apply: print one JSON object; monitor: one JSON object per poll; history: one JSON array of the records.</source>
        <translation>describe、diff、zero、apply：打印一个 JSON 对象；monitor：每次轮询打印一个 JSON 对象；history：打印记录组成的一个 JSON 数组。</translation>
    </message>
    <message>
        <source>history: only the records of the controller with this serial number.</source>
        <translation>history：只列出该序列号控制器的记录。</translation>
    </message>
    <message>
        <source>report: the visit&apos;s start, an ISO date or date and time (default today).</source>
        <translation>report：本次维修的开始时间，ISO 日期或日期时间（默认今天）。</translation>
    </message>
    <message>
        <source>report: a4 or letter.</source>
        <translation>report：a4 或 letter。</translation>
    </message>
    <message>
        <source>report: the workshop&apos;s name, kept for the next reports.</source>
        <translation>report：维修店名称，保存供以后的报告使用。</translation>
    </message>
    <message>
        <source>report: the technician&apos;s name, kept for the next reports.</source>
        <translation>report：技师姓名，保存供以后的报告使用。</translation>
    </message>
    <message>
        <source>scan, read, write, describe, diff, set, apply, zero, monitor, history or report</source>
        <translation>scan、read、write、describe、diff、set、apply、zero、monitor、history 或 report</translation>
    </message>
</context>
<context>
    <name>VorSimHelp</name>
    <message>
        <source>Simulated controller on a pseudo-terminal. Prints the device path, then answers on it
until interrupted (Ctrl+C).</source>
        <translation>伪终端上的模拟控制器。打印设备路径，然后在其上应答，
直到被中断（Ctrl+C）。</translation>
    </message>
    <message>
        <source>Be a controller of model CODE (default VOR), with its factory settings.</source>
        <translation>模拟型号为 CODE（默认 VOR）的控制器，使用其出厂设置。</translation>
    </message>
    <message>
        <source>Start from the 128-byte image in FILE.</source>
        <translation>从 FILE 中的 128 字节配置映像开始。</translation>
    </message>
    <message>
        <source>Set the special-version byte (72) to N.</source>
        <translation>把特殊版本字节（72）设为 N。</translation>
    </message>
    <message>
        <source>Set the software version (bytes 83..84), in hex.</source>
        <translation>设置软件版本（字节 83..84），十六进制。</translation>
    </message>
    <message>
        <source>Fix the fault word of the live data (bytes 32..33) to HEX, e.g. 0012.</source>
        <translation>把实时数据的故障字（字节 32..33）固定为 HEX，例如 0012。</translation>
    </message>
    <message>
        <source>Misbehave: KIND[:CMD[:N[:MS]]] with KIND silent (act, answer nothing), ignore (neither act nor answer), bad-checksum, stray, late, stale (late, while later requests are answered meanwhile), twice (the answer again MS later), cut (half the answer), wrong-command, long-length, short or forget (answer, keep nothing); CMD a hex command byte or any; N the request number of that command (0 = every one); MS the delay for late, stale and twice. Repeatable.</source>
        <translation>模拟故障：KIND[:CMD[:N[:MS]]]，KIND 为 silent（执行但不应答）、ignore（既不执行也不应答）、bad-checksum、stray、late、stale（迟到应答，其间后续请求照常应答）、twice（MS 毫秒后再发一次应答）、cut（只发一半应答）、wrong-command、long-length、short 或 forget（应答但不保存）；CMD 为十六进制命令字节或 any；N 为该命令的第几次请求（0 = 每一次）；MS 为 late、stale 和 twice 的延迟。可重复。</translation>
    </message>
</context>
<context>
    <name>vor::AboutBox</name>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>none; the configuration comes from %1</source>
        <translation>无；配置来自 %1</translation>
    </message>
    <message>
        <source>VOR User %1
Configures and watches the motor controller.

Qt %2
Port: %3
Model: %4</source>
        <translation>VOR User %1
配置并监控电机控制器。

Qt %2
端口：%3
型号：%4</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>vor::BackupDialog</name>
    <message>
        <source>Restore Backup</source>
        <translation>恢复备份</translation>
    </message>
    <message>
        <source>The backups of this controller (serial number %1), newest first. The one you choose is reviewed before anything goes into the pages.</source>
        <translation>本控制器（序列号 %1）的备份，最新的在前。所选备份在写入页面之前会先逐项审阅。</translation>
    </message>
    <message>
        <source>Taken</source>
        <translation>备份时间</translation>
    </message>
    <message>
        <source>Differences from the pages</source>
        <translation>与页面的差异数</translation>
    </message>
    <message>
        <source>&amp;Review…</source>
        <translation>审阅(&amp;R)…</translation>
    </message>
</context>
<context>
    <name>vor::BackupStore</name>
    <message>
        <source>cannot create the backups folder %1</source>
        <translation>无法创建备份文件夹 %1</translation>
    </message>
</context>
<context>
    <name>vor::CMonitor1Dlg</name>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Success!</source>
        <translation>成功！</translation>
    </message>
    <message>
        <source>Failure!</source>
        <translation>失败！</translation>
    </message>
</context>
<context>
    <name>vor::CReadZeroADdlg</name>
    <message>
        <source>Read_Zero</source>
        <translation>相电流零点校准</translation>
    </message>
    <message>
        <source>Phase_A_Zero</source>
        <translation>A相零点</translation>
    </message>
    <message>
        <source>Phase_B_Zero</source>
        <translation>B相零点</translation>
    </message>
    <message>
        <source>Phase_C_Zero</source>
        <translation>C相零点</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Reading phase zero...</source>
        <translation>正在读取相电流零点...</translation>
    </message>
</context>
<context>
    <name>vor::CVORUserApp</name>
    <message>
        <source>The configuration was not opened: %1.</source>
        <translation>配置未能打开：%1。</translation>
    </message>
</context>
<context>
    <name>vor::CVORUserDlg</name>
    <message>
        <source>Vehicle</source>
        <translation>车辆参数</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控制参数</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>电机参数</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>监控</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Read success!</source>
        <translation>读取成功！</translation>
    </message>
    <message>
        <source>Read failure!</source>
        <translation>读取失败！</translation>
    </message>
    <message>
        <source>Write success!</source>
        <translation>写入成功！</translation>
    </message>
    <message>
        <source>Write failure!</source>
        <translation>写入失败！</translation>
    </message>
    <message>
        <source>From file, not yet written</source>
        <translation>来自文件，尚未写入</translation>
    </message>
    <message>
        <source>Not available: started with --image, without a controller</source>
        <translation>不可用：以 --image 启动，未连接控制器</translation>
    </message>
    <message>
        <source>● Recording: %1 rows</source>
        <translation>● 记录中：%1 行</translation>
    </message>
    <message>
        <source>● Recording: 1 row</source>
        <translation>● 记录中：1 行</translation>
    </message>
    <message>
        <source>The backups folder %1 could not be opened.</source>
        <translation>无法打开备份文件夹 %1。</translation>
    </message>
    <message>
        <source>Serial Port Troubleshooting</source>
        <translation>串口故障排查</translation>
    </message>
    <message>
        <source>About VOR User</source>
        <translation>关于 VOR User</translation>
    </message>
    <message>
        <source>Searching for controller...</source>
        <translation>正在查找控制器...</translation>
    </message>
    <message>
        <source>Reading...</source>
        <translation>正在读取...</translation>
    </message>
    <message>
        <source>Writing...</source>
        <translation>正在写入...</translation>
    </message>
    <message>
        <source>List the changes: Compare with Controller</source>
        <translation>列出改动：与控制器比较</translation>
    </message>
    <message>
        <source>%1 holds what the pages show already: there is nothing to apply.</source>
        <translation>%1 与页面显示的内容相同：没有需要应用的内容。</translation>
    </message>
    <message>
        <source>There is no backup of this controller (serial number %1) in %2.</source>
        <translation>%2 中没有本控制器（序列号 %1）的备份。</translation>
    </message>
    <message>
        <source>1 unwritten change</source>
        <translation>1 处改动未写入</translation>
    </message>
    <message>
        <source>%1 unwritten changes</source>
        <translation>%1 处改动未写入</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>1 change has not been written to the controller.</source>
        <translation>有 1 处改动尚未写入控制器。</translation>
    </message>
    <message>
        <source>%1 changes have not been written to the controller.</source>
        <translation>有 %1 处改动尚未写入控制器。</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>撤销 %1(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>重做 %1(&amp;R)</translation>
    </message>
    <message>
        <source>Not available while the Monitor page polls the controller: switch the Monitor off first</source>
        <translation>监控页面轮询控制器时不可用：请先关闭监控</translation>
    </message>
    <message>
        <source>No answer since %1</source>
        <translation>自 %1 起无应答</translation>
    </message>
    <message>
        <source>The controller has not answered the Monitor page&apos;s polls since %1.</source>
        <translation>自 %1 起控制器未应答监控页面的轮询。</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>已导出到 %1</translation>
    </message>
    <message>
        <source>The service history could not be read: %1.</source>
        <translation>无法读取维修记录：%1。</translation>
    </message>
    <message>
        <source>The backup %1 cannot be restored: %2.</source>
        <translation>无法恢复备份 %1：%2。</translation>
    </message>
    <message>
        <source>Report saved as %1</source>
        <translation>报告已保存为 %1</translation>
    </message>
    <message>
        <source>The controller did not answer, so nothing was written. The controller keeps its previous configuration.</source>
        <translation>控制器没有应答，因此什么也没有写入。控制器保留其原先的配置。</translation>
    </message>
    <message>
        <source>A block went unanswered, so nothing was committed. The controller keeps its previous configuration.</source>
        <translation>有一个数据块没有得到应答，因此没有提交。控制器保留其原先的配置。</translation>
    </message>
    <message>
        <source>The commit went unanswered, and reading back shows that the controller did not take the configuration.</source>
        <translation>提交没有得到应答，读回的结果表明控制器没有接受该配置。</translation>
    </message>
    <message>
        <source>The commit went unanswered, and the configuration could not be read back: what the controller now holds is unknown.</source>
        <translation>提交没有得到应答，且无法读回配置：控制器现在保存的内容未知。</translation>
    </message>
    <message>
        <source>Undone on the %1 page: %2</source>
        <translation>已在%1页面撤销：%2</translation>
    </message>
    <message>
        <source>Redone on the %1 page: %2</source>
        <translation>已在%1页面重做：%2</translation>
    </message>
    <message>
        <source>Undone on other pages: %1</source>
        <translation>已在其他页面撤销：%1</translation>
    </message>
    <message>
        <source>Redone on other pages: %1</source>
        <translation>已在其他页面重做：%1</translation>
    </message>
    <message>
        <source>1 byte no page shows</source>
        <translation>1 个页面不显示的字节</translation>
    </message>
    <message>
        <source>%1 bytes no page shows</source>
        <translation>%1 个页面不显示的字节</translation>
    </message>
    <message>
        <source>%1 is a configuration of another controller (serial number %2). The rows checked include this controller&apos;s own data, which would become the other controller&apos;s:

%3

Take them all the same?</source>
        <translation>%1 是另一台控制器（序列号 %2）的配置。勾选的行包括本控制器自己的数据，这些数据将变成另一台控制器的：

%3

仍然全部采用吗？</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>已保存到 %1</translation>
    </message>
</context>
<context>
    <name>vor::CVehicleDlg</name>
    <message>
        <source>Read_Zero</source>
        <translation>读零点</translation>
    </message>
</context>
<context>
    <name>vor::ChangeMarks</name>
    <message>
        <source>On the controller: %1</source>
        <translation>控制器中的值：%1</translation>
    </message>
    <message>
        <source>Revert to the controller&apos;s value (%1)</source>
        <translation>还原为控制器中的值（%1）</translation>
    </message>
</context>
<context>
    <name>vor::ChangeSteps</name>
    <message>
        <source>%1 %2 → %3</source>
        <translation>%1 %2 → %3</translation>
    </message>
    <message>
        <source>byte %1</source>
        <translation>字节 %1</translation>
    </message>
    <message>
        <source>Phase Zero Calibration</source>
        <translation>相电流零点校准</translation>
    </message>
    <message>
        <source>Apply %1</source>
        <translation>应用 %1</translation>
    </message>
    <message>
        <source>Revert %1</source>
        <translation>还原 %1</translation>
    </message>
    <message>
        <source>Revert All Changes</source>
        <translation>还原全部改动</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读取</translation>
    </message>
</context>
<context>
    <name>vor::CompareDialog</name>
    <message>
        <source>Nothing to change: the controller holds this configuration already.</source>
        <translation>无需更改：控制器中已是此配置。</translation>
    </message>
    <message>
        <source>1 value differs from the controller&apos;s. Write to the controller?</source>
        <translation>有 1 个值与控制器中的不同。是否写入控制器？</translation>
    </message>
    <message>
        <source>1 value differs from the controller&apos;s.</source>
        <translation>有 1 个值与控制器中的不同。</translation>
    </message>
    <message>
        <source>%1 values differ from the controller&apos;s. Write to the controller?</source>
        <translation>有 %1 个值与控制器中的不同。是否写入控制器？</translation>
    </message>
    <message>
        <source>%1 values differ from the controller&apos;s.</source>
        <translation>有 %1 个值与控制器中的不同。</translation>
    </message>
    <message>
        <source>Confirm Writes</source>
        <translation>写入前确认</translation>
    </message>
    <message>
        <source>Compare with Controller</source>
        <translation>与控制器比较</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页面</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>On the controller</source>
        <translation>控制器中的值</translation>
    </message>
    <message>
        <source>To be written</source>
        <translation>待写入的值</translation>
    </message>
    <message>
        <source>(no page)</source>
        <translation>（无页面）</translation>
    </message>
    <message>
        <source>byte %1</source>
        <translation>字节 %1</translation>
    </message>
    <message>
        <source>No differences: the pages and the controller hold the same configuration.</source>
        <translation>无差异：页面与控制器中的配置相同。</translation>
    </message>
</context>
<context>
    <name>vor::ConfigurationRecord</name>
    <message>
        <source>%1 does not end in .csv or .json, so its format is unknown</source>
        <translation>%1 的扩展名不是 .csv 或 .json，无法确定格式</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>vor::DefinitionsMatch</name>
    <message>
        <source>it is a configuration of model %1, not %2</source>
        <translation>它是型号 %1 的配置，不是 %2 的</translation>
    </message>
    <message>
        <source>its model is not supported</source>
        <translation>不支持它的型号</translation>
    </message>
    <message>
        <source>it is of the special version</source>
        <translation>它是特殊版本的配置</translation>
    </message>
    <message>
        <source>it is not of the special version</source>
        <translation>它不是特殊版本的配置</translation>
    </message>
    <message>
        <source>its software version %1 needs other definitions</source>
        <translation>它的软件版本 %1 需要其他定义</translation>
    </message>
    <message>
        <source>its voltage class &quot;%1&quot; sets other limits</source>
        <translation>它的电压等级“%1”设定了不同的限值</translation>
    </message>
    <message>
        <source>the controller&apos;s model %1 is not supported, so nothing can be checked</source>
        <translation>不支持控制器的型号 %1，因此无法检查</translation>
    </message>
</context>
<context>
    <name>vor::FaultHistoryWindow</name>
    <message>
        <source>Fault History</source>
        <translation>故障历史</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>Bit</source>
        <translation>位</translation>
    </message>
    <message>
        <source>First seen</source>
        <translation>首次出现</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>最近出现</translation>
    </message>
    <message>
        <source>Polls</source>
        <translation>轮询次数</translation>
    </message>
    <message>
        <source>Active now</source>
        <translation>当前存在</translation>
    </message>
    <message>
        <source>Most recently seen first; active faults in red</source>
        <translation>最近出现的排在前面；当前存在的故障以红色显示</translation>
    </message>
    <message>
        <source>&amp;Export CSV…</source>
        <translation>导出 CSV(&amp;E)…</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>清除(&amp;C)</translation>
    </message>
    <message>
        <source>Forgets every fault seen so far</source>
        <translation>清除到目前为止记下的所有故障</translation>
    </message>
    <message>
        <source>Bit %1</source>
        <translation>位 %1</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The fault history could not be written to %1: %2</source>
        <translation>无法将故障历史写入 %1：%2</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Not known while the Monitor&apos;s polls go unanswered or the Monitor page is off</source>
        <translation>监控轮询无应答或监控页面关闭时无法得知</translation>
    </message>
</context>
<context>
    <name>vor::FileCommands</name>
    <message>
        <source>Configurations (*.bin);;All files (*)</source>
        <translation>配置文件 (*.bin);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation>打开配置</translation>
    </message>
    <message>
        <source>The configuration was not opened: %1.
Nothing was changed.</source>
        <translation>未打开配置：%1。
未做任何更改。</translation>
    </message>
    <message>
        <source>%1 was not opened: %2.
Nothing was changed.</source>
        <translation>未打开 %1：%2。
未做任何更改。</translation>
    </message>
    <message>
        <source>Save Configuration As</source>
        <translation>配置另存为</translation>
    </message>
    <message>
        <source>The configuration was not saved: %1.</source>
        <translation>未保存配置：%1。</translation>
    </message>
    <message>
        <source>Export Parameters</source>
        <translation>导出参数</translation>
    </message>
    <message>
        <source>The parameters were not exported: %1.</source>
        <translation>未导出参数：%1。</translation>
    </message>
    <message>
        <source>Service Report</source>
        <translation>维修报告</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>PDF 文档 (*.pdf)</translation>
    </message>
    <message>
        <source>The report was not made: %1.</source>
        <translation>未能生成报告：%1。</translation>
    </message>
</context>
<context>
    <name>vor::FileSave</name>
    <message>
        <source>it is a folder</source>
        <translation>它是一个文件夹</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>它是一个设备，不是文件</translation>
    </message>
    <message>
        <source>it is a named pipe, not a file</source>
        <translation>它是一个命名管道，不是文件</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>它是一个套接字，不是文件</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>它不是普通文件</translation>
    </message>
    <message>
        <source>the disk holds %1 of its %2 bytes</source>
        <translation>磁盘上只有其 %2 字节中的 %1 字节</translation>
    </message>
    <message>
        <source>only %1 of %2 bytes could be written</source>
        <translation>%2 字节中只写入了 %1 字节</translation>
    </message>
    <message>
        <source>its symbolic links lead round in a loop</source>
        <translation>它的符号链接构成了循环</translation>
    </message>
</context>
<context>
    <name>vor::ImageFile</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes; an image file holds exactly %3</source>
        <translation>%1 有 %2 个字节；配置映像文件必须正好 %3 个字节</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>vor::Language</name>
    <message>
        <source>Show the texts in LANG: en or zh_CN (default: the system&apos;s language).</source>
        <translation>以 LANG 语言显示文字：en 或 zh_CN（默认：系统语言）。</translation>
    </message>
</context>
<context>
    <name>vor::LivePlotWindow</name>
    <message>
        <source>%1 min</source>
        <translation>%1 分钟</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>Point at the plot to read the values there.</source>
        <translation>将鼠标指向曲线图，即可读取该处的数值。</translation>
    </message>
    <message>
        <source>Live Plot</source>
        <translation>实时数据曲线图</translation>
    </message>
    <message>
        <source>&amp;Items (up to four):</source>
        <translation>数据项(&amp;I)（最多四个）：</translation>
    </message>
    <message>
        <source>Check up to four items to plot. A double-click on a field of the Monitor page adds its item too.</source>
        <translation>勾选最多四个数据项绘制曲线。在监控页面上双击某个字段也会添加该数据项。</translation>
    </message>
    <message>
        <source>Time &amp;window:</source>
        <translation>时间窗口(&amp;W)：</translation>
    </message>
    <message>
        <source>One s&amp;hared axis</source>
        <translation>共用一个数值轴(&amp;H)</translation>
    </message>
    <message>
        <source>All items on one value axis instead of an axis each</source>
        <translation>所有数据项共用一个数值轴，而不是各用一个</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>暂停(&amp;P)</translation>
    </message>
    <message>
        <source>Holds the picture still; the polls are still collected</source>
        <translation>冻结画面；轮询数据仍照常收集</translation>
    </message>
    <message>
        <source>&amp;Save Image…</source>
        <translation>保存图片(&amp;S)…</translation>
    </message>
    <message>
        <source>Time (s) before the latest poll</source>
        <translation>最近一次轮询之前的时间（秒）</translation>
    </message>
    <message>
        <source>%1 shows no number to plot.</source>
        <translation>%1 没有可绘制的数值。</translation>
    </message>
    <message>
        <source>Four items at most: remove one to plot %1.</source>
        <translation>最多四个数据项：请先移除一个，才能绘制 %1。</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>继续(&amp;R)</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>Save Image</source>
        <translation>保存图片</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG 图片 (*.png)</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
    <message>
        <source>paused: the Monitor page is not on show</source>
        <translation>已暂停：监控页面未显示</translation>
    </message>
    <message>
        <source>The image could not be saved to %1: %2</source>
        <translation>无法将图片保存到 %1：%2</translation>
    </message>
    <message>
        <source>the chart could not be made into a PNG image</source>
        <translation>无法将图表生成为 PNG 图片</translation>
    </message>
    <message>
        <source>not polled</source>
        <translation>未轮询</translation>
    </message>
</context>
<context>
    <name>vor::LiveTools</name>
    <message>
        <source>Recording stopped: %1 could not be written (%2). The %3 rows recorded before are kept.</source>
        <translation>记录已停止：无法写入 %1（%2）。之前记录的 %3 行已保留。</translation>
    </message>
    <message>
        <source>Record Live Data</source>
        <translation>记录实时数据</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>Recording to %1: 1 row</source>
        <translation>正在记录到 %1：1 行</translation>
    </message>
    <message>
        <source>Recording to %1: %2 rows</source>
        <translation>正在记录到 %1：%2 行</translation>
    </message>
</context>
<context>
    <name>vor::MainMenu</name>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open Configuration…</source>
        <translation>打开配置(&amp;O)…</translation>
    </message>
    <message>
        <source>&amp;Save Configuration As…</source>
        <translation>配置另存为(&amp;S)…</translation>
    </message>
    <message>
        <source>&amp;Export Parameters…</source>
        <translation>导出参数(&amp;E)…</translation>
    </message>
    <message>
        <source>Open &amp;Backups Folder</source>
        <translation>打开备份文件夹(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Record Live Data…</source>
        <translation>记录实时数据(&amp;R)…</translation>
    </message>
    <message>
        <source>S&amp;top Recording</source>
        <translation>停止记录(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Controller</source>
        <translation>控制器(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>读取(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>写入(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Compare with Controller…</source>
        <translation>与控制器比较(&amp;C)…</translation>
    </message>
    <message>
        <source>&amp;Phase Zero Calibration…</source>
        <translation>相电流零点校准(&amp;P)…</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Confirm Writes</source>
        <translation>写入前确认(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Verify After Write</source>
        <translation>写入后校验(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Vehicle</source>
        <translation>车辆参数(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Control</source>
        <translation>控制参数(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Motor</source>
        <translation>电机参数(&amp;M)</translation>
    </message>
    <message>
        <source>Mo&amp;nitor</source>
        <translation>监控(&amp;N)</translation>
    </message>
    <message>
        <source>Live &amp;Plot</source>
        <translation>实时曲线图(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Fault History</source>
        <translation>故障历史(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Serial Port &amp;Troubleshooting</source>
        <translation>串口故障排查(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;About VOR User</source>
        <translation>关于 VOR User(&amp;A)</translation>
    </message>
    <message>
        <source>Restore B&amp;ackup…</source>
        <translation>恢复备份(&amp;A)…</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Revert &amp;All Changes</source>
        <translation>还原全部改动(&amp;A)</translation>
    </message>
    <message>
        <source>Service &amp;History…</source>
        <translation>维修记录(&amp;H)…</translation>
    </message>
    <message>
        <source>Service Re&amp;port…</source>
        <translation>维修报告(&amp;P)…</translation>
    </message>
</context>
<context>
    <name>vor::PageFields</name>
    <message>
        <source>Vehicle</source>
        <translation>车辆参数</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控制参数</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>电机参数</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>已勾选</translation>
    </message>
    <message>
        <source>not ticked</source>
        <translation>未勾选</translation>
    </message>
</context>
<context>
    <name>vor::ParameterPage</name>
    <message>
        <source>Param:%1
The range should be between %2~%3</source>
        <translation>参数：%1
取值范围应在 %2~%3 之间</translation>
    </message>
    <message>
        <source>%1 Range:%2~%3</source>
        <translation>%1 范围：%2~%3</translation>
    </message>
    <message>
        <source>Param: %1. Enter a hexadecimal number between %2 and %3</source>
        <translation>参数：%1。请输入 %2 到 %3 之间的十六进制数</translation>
    </message>
    <message>
        <source>Param: %1. Enter a whole number between %2 and %3</source>
        <translation>参数：%1。请输入 %2 到 %3 之间的整数</translation>
    </message>
</context>
<context>
    <name>vor::PortAdvice</name>
    <message>
        <source>this computer has no COM port; is the USB serial adapter plugged in and its driver installed (CH340, CP210x, FTDI or PL2303)? Device Manager shows the adapter&apos;s COM port under Ports (COM &amp; LPT)</source>
        <translation>这台电脑没有 COM 端口；USB 串口适配器是否已插好、其驱动程序（CH340、CP210x、FTDI 或 PL2303）是否已安装？设备管理器在“端口 (COM 和 LPT)”下显示适配器的 COM 端口</translation>
    </message>
    <message>
        <source>No COM port is listed on this computer. Is the USB serial adapter plugged in? Without its driver it has no COM port: install the driver for the adapter&apos;s chip (CH340, CP210x, FTDI or PL2303), then plug it in again. Device Manager shows the adapter&apos;s COM port under Ports (COM &amp; LPT).</source>
        <translation>这台电脑上没有列出任何 COM 端口。USB 串口适配器插好了吗？没有驱动程序的适配器没有 COM 端口：请安装适配器芯片（CH340、CP210x、FTDI 或 PL2303）的驱动程序，然后重新插上适配器。设备管理器在“端口 (COM 和 LPT)”下显示适配器的 COM 端口。</translation>
    </message>
</context>
<context>
    <name>vor::PortDiagnostics</name>
    <message>
        <source>permission denied; your user needs to be in the group that owns the device (%1), usually dialout</source>
        <translation>权限不足；您的用户需要加入拥有该设备的用户组（%1），通常是 dialout</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>%1 (pid %2)</source>
        <translation>%1（pid %2）</translation>
    </message>
    <message>
        <source>busy, held by another program</source>
        <translation>忙，被其他程序占用</translation>
    </message>
    <message>
        <source>busy, held by %1</source>
        <translation>忙，被 %1 占用</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>没有此设备</translation>
    </message>
    <message>
        <source>it cannot be opened</source>
        <translation>无法打开</translation>
    </message>
    <message>
        <source>%1 is running on this machine; such services are known to take hold of USB serial adapters, so the controller may not be reachable while they run</source>
        <translation>本机正在运行 %1；这类服务会占用 USB 串口适配器，运行期间可能无法连接控制器</translation>
    </message>
    <message>
        <source>%1 and %2 are running on this machine; such services are known to take hold of USB serial adapters, so the controller may not be reachable while they run</source>
        <translation>本机正在运行 %1 和 %2；这类服务会占用 USB 串口适配器，运行期间可能无法连接控制器</translation>
    </message>
</context>
<context>
    <name>vor::ReportDetailsDialog</name>
    <message>
        <source>Service Report</source>
        <translation>维修报告</translation>
    </message>
    <message>
        <source>A PDF for the customer of this visit: what was changed and whether it took, the phase zero calibration, the faults seen and the configuration as it now stands.</source>
        <translation>为客户生成本次维修的 PDF：改动了什么以及是否生效、相电流零点校准、出现过的故障，以及当前的配置。</translation>
    </message>
    <message>
        <source>A4</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>Letter（信纸）</translation>
    </message>
    <message>
        <source>&amp;Workshop:</source>
        <translation>维修店(&amp;W)：</translation>
    </message>
    <message>
        <source>&amp;Technician:</source>
        <translation>技师(&amp;T)：</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>纸张(&amp;P)：</translation>
    </message>
    <message>
        <source>&amp;Make Report…</source>
        <translation>生成报告(&amp;M)…</translation>
    </message>
</context>
<context>
    <name>vor::ReportPdf</name>
    <message>
        <source>the report could not be made</source>
        <translation>无法生成报告</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
</context>
<context>
    <name>vor::ReviewDialog</name>
    <message>
        <source>%1 is a configuration of this controller (serial number %2): every value is checked, bytes no page shows included.</source>
        <translation>%1 是本控制器（序列号 %2）的配置：所有值均已勾选，包括页面不显示的字节。</translation>
    </message>
    <message>
        <source>%1 is a configuration of another controller (serial number %2; this one&apos;s is %3). Its settings are checked; this controller&apos;s own data, its identification and phase zero offsets, and the bytes no page shows are not.</source>
        <translation>%1 是另一台控制器（序列号 %2；本控制器为 %3）的配置。其设置已勾选；本控制器自身的数据（标识和相电流零点偏移）以及页面不显示的字节未勾选。</translation>
    </message>
    <message>
        <source>The checked values go into the pages as changes. Nothing is sent to the controller until Write.</source>
        <translation>勾选的值将作为改动进入页面。在写入之前不会向控制器发送任何内容。</translation>
    </message>
    <message>
        <source>Apply %1</source>
        <translation>应用 %1</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>页面</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Shown now</source>
        <translation>当前显示</translation>
    </message>
    <message>
        <source>From the file</source>
        <translation>文件中的值</translation>
    </message>
    <message>
        <source>this controller&apos;s own</source>
        <translation>本控制器自身的数据</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>Select &amp;None</source>
        <translation>全不选(&amp;N)</translation>
    </message>
</context>
<context>
    <name>vor::ServiceHistory</name>
    <message>
        <source>cannot add to the service history %1: %2</source>
        <translation>无法写入维修记录 %1：%2</translation>
    </message>
    <message>
        <source>its folder cannot be made</source>
        <translation>无法创建其所在文件夹</translation>
    </message>
    <message>
        <source>the disk holds %1 of its %2 bytes</source>
        <translation>磁盘上只有其 %2 字节中的 %1 字节</translation>
    </message>
    <message>
        <source>the service history %1 is not a file</source>
        <translation>维修记录 %1 不是文件</translation>
    </message>
    <message>
        <source>the service history %1 is too large to be one (%2 bytes)</source>
        <translation>维修记录 %1 过大，不可能是维修记录（%2 字节）</translation>
    </message>
    <message>
        <source>cannot read the service history %1: %2</source>
        <translation>无法读取维修记录 %1：%2</translation>
    </message>
    <message>
        <source>The last record of the service history %1 is incomplete, as an interrupted write leaves it, and is skipped.</source>
        <translation>维修记录 %1 的最后一条记录不完整（写入被中断所致），已跳过。</translation>
    </message>
    <message>
        <source>Line %1 of the service history %2 is not a record and is skipped.</source>
        <translation>维修记录 %2 的第 %1 行不是记录，已跳过。</translation>
    </message>
    <message>
        <source>read back, the controller does not hold every value written</source>
        <translation>读回后发现控制器并未保存写入的全部值</translation>
    </message>
    <message>
        <source>the controller did not answer; nothing was written</source>
        <translation>控制器无应答；未写入任何内容</translation>
    </message>
    <message>
        <source>a block went unanswered, so nothing was committed; the controller keeps its previous configuration</source>
        <translation>有一个数据块未获应答，因此未提交；控制器保留原先的配置</translation>
    </message>
    <message>
        <source>the controller did not take the configuration</source>
        <translation>控制器未接受该配置</translation>
    </message>
</context>
<context>
    <name>vor::ServiceHistoryDialog</name>
    <message>
        <source>Service History</source>
        <translation>维修记录</translation>
    </message>
    <message>
        <source>Nothing has been written to this controller (serial number %1) yet.</source>
        <translation>尚未向本控制器（序列号 %1）写入过任何内容。</translation>
    </message>
    <message>
        <source>Every write to this controller (serial number %1), newest first: what it changed and whether it took.</source>
        <translation>对本控制器（序列号 %1）的每次写入，最新的在前：改动了什么以及是否生效。</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>程序</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>改动</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>&amp;Restore Its Backup…</source>
        <translation>恢复其备份(&amp;R)…</translation>
    </message>
    <message>
        <source>Reviews the configuration the controller held before the chosen write, as File &gt; Restore Backup does</source>
        <translation>审阅所选写入之前控制器保存的配置，与“文件 &gt; 恢复备份”相同</translation>
    </message>
</context>
<context>
    <name>vor::StringTable</name>
    <message>
        <source>Warning:Prohibit doing any configuration in user program while running motor.<byte value="xd"/>
<byte value="xd"/>
1.&quot;Yes&quot; to continue if the motor is not running.<byte value="xd"/>
2.&quot;No&quot; if the motor is running. Please reconnect user program after stopping motor.</source>
        <translation>警告：电机运行时禁止在用户程序中进行任何配置。<byte value="xd"/>
<byte value="xd"/>
1. 电机未运行时，点击“是”继续。<byte value="xd"/>
2. 电机正在运行时，点击“否”。请在电机停止后重新连接用户程序。</translation>
    </message>
    <message>
        <source>RS232 setting error. </source>
        <translation>RS232 设置错误。</translation>
    </message>
    <message>
        <source>Controller no power or RS232 cable disconnect.</source>
        <translation>控制器未上电或 RS232 电缆未连接。</translation>
    </message>
    <message>
        <source>Read data error.</source>
        <translation>读取数据错误。</translation>
    </message>
    <message>
        <source>Error writing data.</source>
        <translation>写入数据错误。</translation>
    </message>
    <message>
        <source>Written to success.</source>
        <translation>写入成功。</translation>
    </message>
    <message>
        <source>Sure to exit?</source>
        <translation>确定退出吗？</translation>
    </message>
    <message>
        <source>Does not support this model, please choose the right software.</source>
        <translation>不支持此型号，请选择正确的软件。</translation>
    </message>
</context>
<context>
    <name>vor::Troubleshooting</name>
    <message>
        <source>No serial port is listed on this machine. Is the USB serial adapter plugged in?</source>
        <translation>本机未列出任何串口。USB 串口适配器是否已插入？</translation>
    </message>
    <message>
        <source>Serial ports of this machine:</source>
        <translation>本机的串口：</translation>
    </message>
    <message>
        <source>%1: in use by this program, connected to the controller</source>
        <translation>%1：本程序正在使用，已连接到控制器</translation>
    </message>
    <message>
        <source>%1: can be opened</source>
        <translation>%1：可以打开</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>vor::VisitReport</name>
    <message>
        <source>Service Report</source>
        <translation>维修报告</translation>
    </message>
    <message>
        <source>ticked</source>
        <translation>已勾选</translation>
    </message>
    <message>
        <source>not ticked</source>
        <translation>未勾选</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>已校验</translation>
    </message>
    <message>
        <source>acknowledged, not verified</source>
        <translation>已确认，未校验</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>no value changed</source>
        <translation>没有值被改动</translation>
    </message>
    <message>
        <source>%1 %2 → %3</source>
        <translation>%1 %2 → %3</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>时间：%1</translation>
    </message>
    <message>
        <source>Program: %1 %2</source>
        <translation>程序：%1 %2</translation>
    </message>
    <message>
        <source>Operation: %1</source>
        <translation>操作：%1</translation>
    </message>
    <message>
        <source>Port: %1</source>
        <translation>端口：%1</translation>
    </message>
    <message>
        <source>Unit: %1, model %2, voltage class %3, software version %4, serial number %5</source>
        <translation>设备：%1，型号 %2，电压等级 %3，软件版本 %4，序列号 %5</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>结果：%1</translation>
    </message>
    <message>
        <source>Verified: %1</source>
        <translation>已校验：%1</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>no</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Backup made before: %1</source>
        <translation>写入前所做的备份：%1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Changes:</source>
        <translation>改动：</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1：%2 → %3</translation>
    </message>
    <message>
        <source>Workshop</source>
        <translation>维修店</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>技师</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>This report covers the visit from %1 to %2.</source>
        <translation>本报告涵盖自 %1 至 %2 的维修。</translation>
    </message>
    <message>
        <source>The unit</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Module name</source>
        <translation>模块名称</translation>
    </message>
    <message>
        <source>Voltage class</source>
        <translation>电压等级</translation>
    </message>
    <message>
        <source>Software version</source>
        <translation>软件版本</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Changes made in this visit</source>
        <translation>本次维修所做的改动</translation>
    </message>
    <message>
        <source>No change was written to the controller in this visit.</source>
        <translation>本次维修未向控制器写入任何改动。</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>改动前</translation>
    </message>
    <message>
        <source>After</source>
        <translation>改动后</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Phase zero calibration</source>
        <translation>相电流零点校准</translation>
    </message>
    <message>
        <source>No phase zero calibration was made in this visit.</source>
        <translation>本次维修未进行相电流零点校准。</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>相</translation>
    </message>
    <message>
        <source>Faults seen</source>
        <translation>出现过的故障</translation>
    </message>
    <message>
        <source>Faults were not watched in this visit: the Fault History of VOR User collects them while its Monitor page polls the controller.</source>
        <translation>本次维修未监视故障：VOR User 的故障历史只在其监控页面轮询控制器时收集故障。</translation>
    </message>
    <message>
        <source>No fault was seen while the Monitor page polled the controller.</source>
        <translation>监控页面轮询控制器期间未出现故障。</translation>
    </message>
    <message>
        <source>Bit %1</source>
        <translation>位 %1</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>First seen</source>
        <translation>首次出现</translation>
    </message>
    <message>
        <source>Last seen</source>
        <translation>最后出现</translation>
    </message>
    <message>
        <source>Polls</source>
        <translation>轮询次数</translation>
    </message>
    <message>
        <source>The configuration as it now stands on the controller</source>
        <translation>控制器当前的配置</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>范围</translation>
    </message>
    <message>
        <source>Customer&apos;s signature</source>
        <translation>客户签名</translation>
    </message>
</context>
<context>
    <name>vor::VorUserCommandLine</name>
    <message>
        <source>Configures and watches the motor controller.</source>
        <translation>配置并监控电机控制器。</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>显示本帮助。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>显示版本。</translation>
    </message>
    <message>
        <source>Talk to a simulated controller of model CODE (default VOR) built into the program instead of the serial ports. Write it as --simulate or --simulate=CODE.</source>
        <translation>与程序内置的型号为 CODE（默认 VOR）的模拟控制器通信，而不使用串口。写作 --simulate 或 --simulate=CODE。</translation>
    </message>
    <message>
        <source>Try only this serial port (repeatable, in order) instead of all.</source>
        <translation>只尝试这个串口（可重复，按顺序），不尝试全部串口。</translation>
    </message>
    <message>
        <source>Print every frame sent and received to stderr.</source>
        <translation>把收发的每一帧打印到 stderr。</translation>
    </message>
    <message>
        <source>Start without a controller, on the 128-byte configuration in FILE: view and edit it and save it with the File menu.</source>
        <translation>不连接控制器，以 FILE 中的 128 字节配置启动：查看和编辑它，并用“文件”菜单保存。</translation>
    </message>
</context>
<context>
    <name>vor::WriteGuard</name>
    <message>
        <source>The controller did not take every value written:</source>
        <translation>控制器未接受所有写入的值：</translation>
    </message>
    <message>
        <source>%1, %2: written %3, the controller holds %4</source>
        <translation>%1，%2：写入 %3，控制器中为 %4</translation>
    </message>
    <message>
        <source>byte %1: written %2, the controller holds %3</source>
        <translation>字节 %1：写入 %2，控制器中为 %3</translation>
    </message>
    <message>
        <source>no configuration has been read from the controller</source>
        <translation>尚未从控制器读取配置</translation>
    </message>
    <message>
        <source>The controller&apos;s configuration could not be backed up before writing: %1.

Write anyway?</source>
        <translation>写入前无法备份控制器的配置：%1。

仍要写入吗？</translation>
    </message>
    <message>
        <source>Verifying...</source>
        <translation>正在校验...</translation>
    </message>
    <message>
        <source>The configuration could not be read back, so the write is not verified.</source>
        <translation>无法读回配置，因此写入未经校验。</translation>
    </message>
    <message>
        <source>This write could not be added to the service history: %1.

The write itself is not affected by that.</source>
        <translation>本次写入未能记入维修记录：%1。

写入本身不受影响。</translation>
    </message>
</context>
</TS>
