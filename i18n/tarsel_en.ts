<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CMainFrame</name>
    <message>
        <source>写频软件</source>
        <translation>Tarsel</translation>
    </message>
    <message>
        <source>打开备份</source>
        <translation>Open backup</translation>
    </message>
    <message>
        <source>*.dat (*.dat);;所有文件 (*)</source>
        <translation>*.dat (*.dat);;All files (*)</translation>
    </message>
    <message>
        <source>CSV 信道表 (*.csv);;所有文件 (*)</source>
        <translation>CSV channel list (*.csv);;All files (*)</translation>
    </message>
</context>
<context>
    <name>CTransferDialog</name>
    <message>
        <source>无法保存备份</source>
        <translation>Cannot save the backup</translation>
    </message>
    <message>
        <source>读数据</source>
        <translation>Read data</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write data</translation>
    </message>
    <message>
        <source>初始化数据</source>
        <translation>Initialise data</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>无法打开串口</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>通信出错</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>读数据</source>
        <translation>Read data</translation>
    </message>
    <message>
        <source>读数据成功</source>
        <translation>Read complete</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write data</translation>
    </message>
    <message>
        <source>写数据成功</source>
        <translation>Write complete</translation>
    </message>
</context>
<context>
    <name>core</name>
    <message>
        <source> 低功率</source>
        <translation> Low power</translation>
    </message>
    <message>
        <source> 静噪检测1</source>
        <translation> Squelch detect 1</translation>
    </message>
    <message>
        <source> 静噪检测2</source>
        <translation> Squelch detect 2</translation>
    </message>
    <message>
        <source> 静噪检测3</source>
        <translation> Squelch detect 3</translation>
    </message>
    <message>
        <source> 高功率</source>
        <translation> High power</translation>
    </message>
    <message>
        <source>A信道显示</source>
        <translation>A channel display</translation>
    </message>
    <message>
        <source>A段工作区</source>
        <translation>A band mode</translation>
    </message>
    <message>
        <source>B信道显示</source>
        <translation>B channel display</translation>
    </message>
    <message>
        <source>B段工作区</source>
        <translation>B band mode</translation>
    </message>
    <message>
        <source>MCU 去加重</source>
        <translation>MCU de-emphasis</translation>
    </message>
    <message>
        <source>MCU 发射旁路</source>
        <translation>MCU TX bypass</translation>
    </message>
    <message>
        <source>MCU 接收旁路</source>
        <translation>MCU RX bypass</translation>
    </message>
    <message>
        <source>MCU 旁路MIC 模拟增益</source>
        <translation>MCU bypass MIC analog gain</translation>
    </message>
    <message>
        <source>MCU 预加重</source>
        <translation>MCU pre-emphasis</translation>
    </message>
    <message>
        <source>MCU旁路MIC 数字增益</source>
        <translation>MCU bypass MIC digital gain</translation>
    </message>
    <message>
        <source>MCU旁路MIC调制增益</source>
        <translation>MCU bypass MIC mod. gain</translation>
    </message>
    <message>
        <source>MCU旁路信令幅度</source>
        <translation>MCU bypass signalling level</translation>
    </message>
    <message>
        <source>MCU旁路接收输出增益</source>
        <translation>MCU bypass RX output gain</translation>
    </message>
    <message>
        <source>MCU旁路音量输出控制</source>
        <translation>MCU bypass volume control</translation>
    </message>
    <message>
        <source>MIC 增益</source>
        <translation>MIC gain</translation>
    </message>
    <message>
        <source>MIC 数字增益</source>
        <translation>MIC digital gain</translation>
    </message>
    <message>
        <source>MIC 模拟增益</source>
        <translation>MIC analog gain</translation>
    </message>
    <message>
        <source>MIC调制增益</source>
        <translation>MIC mod. gain</translation>
    </message>
    <message>
        <source>MOD 增益</source>
        <translation>MOD gain</translation>
    </message>
    <message>
        <source>RDA1846s 软闭音</source>
        <translation>RDA1846s soft mute</translation>
    </message>
    <message>
        <source>U段发射功率驱动</source>
        <translation>UHF TX power drive</translation>
    </message>
    <message>
        <source>U段静噪低阈值</source>
        <translation>UHF squelch low threshold</translation>
    </message>
    <message>
        <source>V段发射功率驱动</source>
        <translation>VHF TX power drive</translation>
    </message>
    <message>
        <source>V段静噪低阈值</source>
        <translation>VHF squelch low threshold</translation>
    </message>
    <message>
        <source>专业机模式</source>
        <translation>Professional mode</translation>
    </message>
    <message>
        <source>两者</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>中端</source>
        <translation>Mid</translation>
    </message>
    <message>
        <source>中继模式</source>
        <translation>Repeater mode</translation>
    </message>
    <message>
        <source>主信道A/B</source>
        <translation>Main channel A/B</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>低端</source>
        <translation>Low end</translation>
    </message>
    <message>
        <source>信令幅度</source>
        <translation>Signalling level</translation>
    </message>
    <message>
        <source>信令类型</source>
        <translation>Signalling type</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>信道</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>倒频</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>关</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>功率</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>压扩</source>
        <translation>Compander</translation>
    </message>
    <message>
        <source>压扩压阈值</source>
        <translation>Compressor threshold</translation>
    </message>
    <message>
        <source>压扩扩阈值</source>
        <translation>Expander threshold</translation>
    </message>
    <message>
        <source>去加重</source>
        <translation>De-emphasis</translation>
    </message>
    <message>
        <source>双待发射信道</source>
        <translation>Dual watch TX channel</translation>
    </message>
    <message>
        <source>双待复位时间</source>
        <translation>Dual watch reset time</translation>
    </message>
    <message>
        <source>双频守候</source>
        <translation>Dual watch</translation>
    </message>
    <message>
        <source>发射开始</source>
        <translation>TX start</translation>
    </message>
    <message>
        <source>发射结束</source>
        <translation>TX end</translation>
    </message>
    <message>
        <source>发射限时 (s)</source>
        <translation>TX time-out (s)</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>Transmit frequency</translation>
    </message>
    <message>
        <source>名字</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>哑音编码</source>
        <translation>CTCSS/DCS encode</translation>
    </message>
    <message>
        <source>哑音解码</source>
        <translation>CTCSS/DCS decode</translation>
    </message>
    <message>
        <source>声控</source>
        <translation>VOX</translation>
    </message>
    <message>
        <source>声控延迟时间 (s)</source>
        <translation>VOX delay (s)</translation>
    </message>
    <message>
        <source>声控电平</source>
        <translation>VOX level</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>Wide</translation>
    </message>
    <message>
        <source>宽带 低</source>
        <translation>Wide low</translation>
    </message>
    <message>
        <source>宽带 高</source>
        <translation>Wide high</translation>
    </message>
    <message>
        <source>宽带数字 亚音频偏</source>
        <translation>Wide digital tone deviation</translation>
    </message>
    <message>
        <source>宽带模拟 亚音频偏</source>
        <translation>Wide analog tone deviation</translation>
    </message>
    <message>
        <source>宽带话音+亚音频偏</source>
        <translation>Wide voice+tone deviation</translation>
    </message>
    <message>
        <source>尾音模式</source>
        <translation>Tail tone mode</translation>
    </message>
    <message>
        <source>尾音消除</source>
        <translation>Squelch tail elimination</translation>
    </message>
    <message>
        <source>带宽</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <source>开</source>
        <translation>On</translation>
    </message>
    <message>
        <source>开机信息显示方式</source>
        <translation>Power-on display</translation>
    </message>
    <message>
        <source>当前活动</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>当前编辑</source>
        <translation>Editing</translation>
    </message>
    <message>
        <source>手电筒功能</source>
        <translation>Flashlight</translation>
    </message>
    <message>
        <source>扫描</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>扫描模式</source>
        <translation>Scan mode</translation>
    </message>
    <message>
        <source>扰频1</source>
        <translation>Scrambler 1</translation>
    </message>
    <message>
        <source>扰频2</source>
        <translation>Scrambler 2</translation>
    </message>
    <message>
        <source>扰频3</source>
        <translation>Scrambler 3</translation>
    </message>
    <message>
        <source>扰频4</source>
        <translation>Scrambler 4</translation>
    </message>
    <message>
        <source>扰频5</source>
        <translation>Scrambler 5</translation>
    </message>
    <message>
        <source>扰频6</source>
        <translation>Scrambler 6</translation>
    </message>
    <message>
        <source>扰频7</source>
        <translation>Scrambler 7</translation>
    </message>
    <message>
        <source>扰频8</source>
        <translation>Scrambler 8</translation>
    </message>
    <message>
        <source>扰频音频输出</source>
        <translation>Scrambled audio output</translation>
    </message>
    <message>
        <source>按键</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>接收输出增益</source>
        <translation>RX output gain</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>Receive frequency</translation>
    </message>
    <message>
        <source>提示音</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>收音机监听</source>
        <translation>FM radio monitor</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>正常音频输出</source>
        <translation>Normal audio output</translation>
    </message>
    <message>
        <source>步进 (kHz)</source>
        <translation>Step (kHz)</translation>
    </message>
    <message>
        <source>电压</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>电池省电</source>
        <translation>Battery save</translation>
    </message>
    <message>
        <source>窄</source>
        <translation>Narrow</translation>
    </message>
    <message>
        <source>窄带 低</source>
        <translation>Narrow low</translation>
    </message>
    <message>
        <source>窄带 高</source>
        <translation>Narrow high</translation>
    </message>
    <message>
        <source>窄带数字 亚音频偏</source>
        <translation>Narrow digital tone deviation</translation>
    </message>
    <message>
        <source>窄带模拟 亚音频偏</source>
        <translation>Narrow analog tone deviation</translation>
    </message>
    <message>
        <source>窄带话音+亚音频偏</source>
        <translation>Narrow voice+tone deviation</translation>
    </message>
    <message>
        <source>繁忙锁定</source>
        <translation>Busy lock</translation>
    </message>
    <message>
        <source>结束提示音</source>
        <translation>Roger beep</translation>
    </message>
    <message>
        <source>背光灯时间(s)</source>
        <translation>Backlight time (s)</translation>
    </message>
    <message>
        <source>背光灯模式</source>
        <translation>Backlight mode</translation>
    </message>
    <message>
        <source>背光灯颜色</source>
        <translation>Backlight colour</translation>
    </message>
    <message>
        <source>脱网</source>
        <translation>Talkaround</translation>
    </message>
    <message>
        <source>自动锁键盘</source>
        <translation>Auto key lock</translation>
    </message>
    <message>
        <source>语音处理</source>
        <translation>Voice processing</translation>
    </message>
    <message>
        <source>语音播报</source>
        <translation>Voice prompts</translation>
    </message>
    <message>
        <source>身份识别开关</source>
        <translation>Send ID</translation>
    </message>
    <message>
        <source>载波</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>连续</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>锁键模式</source>
        <translation>Key lock mode</translation>
    </message>
    <message>
        <source>键盘锁</source>
        <translation>Key lock</translation>
    </message>
    <message>
        <source>静噪电平</source>
        <translation>Squelch level</translation>
    </message>
    <message>
        <source>音量输出控制</source>
        <translation>Volume control</translation>
    </message>
    <message>
        <source>音频输入增益</source>
        <translation>Audio input gain</translation>
    </message>
    <message>
        <source>预加重</source>
        <translation>Pre-emphasis</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>高端</source>
        <translation>High end</translation>
    </message>
    <message>
        <source>*和#音 (ms)</source>
        <translation>* and # tone (ms)</translation>
    </message>
    <message>
        <source>ANI 呼叫</source>
        <translation>ANI call</translation>
    </message>
    <message>
        <source>A段 ---</source>
        <translation>Band A ---</translation>
    </message>
    <message>
        <source>A段</source>
        <translation>Band A</translation>
    </message>
    <message>
        <source>B段 ---</source>
        <translation>Band B ---</translation>
    </message>
    <message>
        <source>B段</source>
        <translation>Band B</translation>
    </message>
    <message>
        <source>PTT ID 发射开始</source>
        <translation>PTT ID at TX start</translation>
    </message>
    <message>
        <source>PTT ID 发射结束</source>
        <translation>PTT ID at TX end</translation>
    </message>
    <message>
        <source>侧音</source>
        <translation>Sidetone</translation>
    </message>
    <message>
        <source>分隔符</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>双频守候时间</source>
        <translation>Dual watch time</translation>
    </message>
    <message>
        <source>呼叫ID</source>
        <translation>Call ID</translation>
    </message>
    <message>
        <source>回复</source>
        <translation>Reply</translation>
    </message>
    <message>
        <source>开机问候语编制</source>
        <translation>Power-on greeting</translation>
    </message>
    <message>
        <source>当前信道</source>
        <translation>Current channel</translation>
    </message>
    <message>
        <source>当前频率</source>
        <translation>Current frequency</translation>
    </message>
    <message>
        <source>报警码</source>
        <translation>Alarm code</translation>
    </message>
    <message>
        <source>按键+ID</source>
        <translation>Keys+ID</translation>
    </message>
    <message>
        <source>提醒</source>
        <translation>Alert</translation>
    </message>
    <message>
        <source>提醒+回复</source>
        <translation>Alert+reply</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>禁止发射</source>
        <translation>Block TX</translation>
    </message>
    <message>
        <source>禁止收发</source>
        <translation>Block RX and TX</translation>
    </message>
    <message>
        <source>等待回复</source>
        <translation>Wait for reply</translation>
    </message>
    <message>
        <source>等待回复时间 (s)</source>
        <translation>Reply wait time (s)</translation>
    </message>
    <message>
        <source>组呼码</source>
        <translation>Group call code</translation>
    </message>
    <message>
        <source>编码</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>自动复位时间 (s)</source>
        <translation>Auto reset time (s)</translation>
    </message>
    <message>
        <source>自身 ID</source>
        <translation>Own ID</translation>
    </message>
    <message>
        <source>解码响应</source>
        <translation>Decode response</translation>
    </message>
    <message>
        <source>解码时间 (s)</source>
        <translation>Decode time (s)</translation>
    </message>
    <message>
        <source>速率 (digit/s)</source>
        <translation>Rate (digit/s)</translation>
    </message>
    <message>
        <source>遥毙</source>
        <translation>Kill</translation>
    </message>
    <message>
        <source>遥毙激活</source>
        <translation>Remote kill</translation>
    </message>
    <message>
        <source>遥毙码</source>
        <translation>Kill code</translation>
    </message>
    <message>
        <source>遥毙类型</source>
        <translation>Kill type</translation>
    </message>
    <message>
        <source>首位数码延迟时间 (ms)</source>
        <translation>First digit delay (ms)</translation>
    </message>
    <message>
        <source>首位数码时间 (ms)</source>
        <translation>First digit time (ms)</translation>
    </message>
    <message>
        <source>自动拨号</source>
        <translation>Auto dial</translation>
    </message>
    <message>
        <source>解码</source>
        <translation>Decode</translation>
    </message>
    <message>
        <source>%1 个字节不一致：%2</source>
        <translation>%1 bytes differ: %2</translation>
    </message>
    <message>
        <source>%1 写入 %2 读出 %3</source>
        <translation>%1 written %2 read %3</translation>
    </message>
    <message>
        <source>%1：不是串口设备</source>
        <translation>%1: not a terminal</translation>
    </message>
    <message>
        <source>%1：正被另一个程序占用</source>
        <translation>%1: held by another program</translation>
    </message>
    <message>
        <source>%1：没有权限。请把您的用户加入 %2 组（加入后请重新登录）。</source>
        <translation>%1: permission denied: add your user to the %2 group (then log in again)</translation>
    </message>
    <message>
        <source>%1：没有这个设备。请检查写频线是否插好，以及设备路径是否正确（设置文件“Ports”一节以 COMn=路径 指定）。</source>
        <translation>%1: no such device: no programming cable there; check that the cable is plugged in and that the device path is right (section &quot;Ports&quot; of the settings file maps COMn=PATH)</translation>
    </message>
    <message>
        <source>1 个字节不一致：%1</source>
        <translation>1 byte differs: %1</translation>
    </message>
    <message>
        <source>唤醒 %1 次，对讲机都没有应答</source>
        <translation>no reply to the wake-up after %1 attempts</translation>
    </message>
    <message>
        <source>回读时：%1</source>
        <translation>reading back: %1</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>done</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>应答 %1，应为 %2</source>
        <translation>reply %1, expected %2</translation>
    </message>
    <message>
        <source>开始确认为 %1，应为 %2</source>
        <translation>start acknowledge was %1, expected %2</translation>
    </message>
    <message>
        <source>开始确认没有应答</source>
        <translation>no reply to the start acknowledge</translation>
    </message>
    <message>
        <source>收到 %1 / %2 字节</source>
        <translation>%1 of %2 bytes</translation>
    </message>
    <message>
        <source>数据块 %1 不完整：%2</source>
        <translation>block %1 incomplete: %2</translation>
    </message>
    <message>
        <source>数据块 %1 未被确认：%2</source>
        <translation>block %1 not acknowledged: %2</translation>
    </message>
    <message>
        <source>无应答</source>
        <translation>no reply</translation>
    </message>
    <message>
        <source>未找到写频线。
%1
请检查：
• 写频线是否插好；
• 您的用户是否在 dialout 组中（加入后请重新登录）；
• 设置文件“Ports”一节中的设备路径。</source>
        <translation>No programming cable found.
%1
Check that:
• the cable is plugged in;
• your user is in the dialout group (log in again after adding it);
• the device paths in section &quot;Ports&quot; of the settings file are right.</translation>
    </message>
    <message>
        <source>未设置串口（%1）</source>
        <translation>no port configured (%1)</translation>
    </message>
    <message>
        <source>查找了 %1。</source>
        <translation>Looked for it at %1.</translation>
    </message>
    <message>
        <source>没有可查找的设备。</source>
        <translation>There was no device to look at.</translation>
    </message>
    <message>
        <source>识别数据不完整：%1</source>
        <translation>identification block incomplete: %1</translation>
    </message>
    <message>
        <source>读回的每个字节都与写入的相同</source>
        <translation>every byte read back as written</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>TZ-316 对讲机写频软件</source>
        <translation>Programming software for the TZ-316 radio</translation>
    </message>
    <message>
        <source>使用此设置文件代替程序目录中的 Program.ini</source>
        <translation>Use this settings file instead of Program.ini in the program folder</translation>
    </message>
    <message>
        <source>界面语言：zh（中文）或 en（英文）</source>
        <translation>Interface language: zh (Chinese) or en (English)</translation>
    </message>
    <message>
        <source>要打开的数据文件 (*.dat)</source>
        <translation>Data files to open (*.dat)</translation>
    </message>
    <message>
        <source>--language 只接受 zh 或 en</source>
        <translation>--language takes zh or en</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CAboutDialog</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CBatchChannelDialog</name>
    <message>
        <source>信道编辑</source>
        <translation>Edit channel</translation>
    </message>
    <message>
        <source>范围:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>A段</source>
        <translation>Band A</translation>
    </message>
    <message>
        <source>B段</source>
        <translation>Band B</translation>
    </message>
    <message>
        <source>从信道</source>
        <translation>From channel</translation>
    </message>
    <message>
        <source>到信道</source>
        <translation>To channel</translation>
    </message>
    <message>
        <source>接收频率:</source>
        <translation>Receive frequency:</translation>
    </message>
    <message>
        <source>起始频率(MHz)</source>
        <translation>Start (MHz)</translation>
    </message>
    <message>
        <source>接收步进 (kHz)</source>
        <translation>RX step (kHz)</translation>
    </message>
    <message>
        <source>递增</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>递减</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>发射频率:</source>
        <translation>Transmit frequency:</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>偏移频率(MHz)</source>
        <translation>Offset (MHz)</translation>
    </message>
    <message>
        <source>加</source>
        <translation>Plus</translation>
    </message>
    <message>
        <source>减</source>
        <translation>Minus</translation>
    </message>
    <message>
        <source>发射步进(KHz)</source>
        <translation>TX step (kHz)</translation>
    </message>
    <message>
        <source>哑音解码:</source>
        <translation>CTCSS/DCS decode:</translation>
    </message>
    <message>
        <source>随机</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>间隔</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>起始信令</source>
        <translation>Start code</translation>
    </message>
    <message>
        <source>哑音编码:</source>
        <translation>CTCSS/DCS encode:</translation>
    </message>
    <message>
        <source>信道名字</source>
        <translation>Channel name</translation>
    </message>
    <message>
        <source>按信道号</source>
        <translation>By channel number</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CBatchWriteDialog</name>
    <message>
        <source>无法打开串口</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>通信出错</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>写入校验失败</source>
        <translation>Verification failed</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>重复</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>批量写频</source>
        <translation>Write to many radios</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CChannelEditDialog</name>
    <message>
        <source>信道编辑</source>
        <translation>Edit channel</translation>
    </message>
    <message>
        <source>信道号</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>信道名字</source>
        <translation>Channel name</translation>
    </message>
    <message>
        <source>接收频率</source>
        <translation>Receive frequency</translation>
    </message>
    <message>
        <source>发射频率</source>
        <translation>Transmit frequency</translation>
    </message>
    <message>
        <source>哑音解码</source>
        <translation>CTCSS/DCS decode</translation>
    </message>
    <message>
        <source>哑音编码</source>
        <translation>CTCSS/DCS encode</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CCsvImportDialog</name>
    <message>
        <source>清空原有信道</source>
        <translation>Clear existing channels</translation>
    </message>
    <message>
        <source>跳过有错的行</source>
        <translation>Skip rows with errors</translation>
    </message>
    <message>
        <source>从信道 N 起依次放入</source>
        <translation>Place from channel N on</translation>
    </message>
    <message>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>警告和错误</source>
        <translation>Warnings and errors</translation>
    </message>
    <message>
        <source>信道 N</source>
        <translation>Channel N</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>这不是信道表：没有可导入的行。</source>
        <translation>This is not a channel list: there are no rows to import.</translation>
    </message>
    <message>
        <source>可导入 %1 行，警告 %2 条，有错的行 %3 行。</source>
        <translation>%1 rows to import, %2 warnings, %3 rows with errors.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CDtmfDecoderDialog</name>
    <message>
        <source>DTMF 解码初始化</source>
        <translation>DTMF decoder setup</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CDtmfEditorDialog</name>
    <message>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CFmRadioDialog</name>
    <message>
        <source>收音机配置</source>
        <translation>FM radio</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CLanguageMenu</name>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>界面语言，下次启动时生效</source>
        <translation>Interface language, applies from the next start</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CMainFrame</name>
    <message>
        <source>写频软件</source>
        <translation>Tarsel</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>打开备份(&amp;B)...</source>
        <translation>Open &amp;Backup...</translation>
    </message>
    <message>
        <source>导入 CSV(&amp;I)...</source>
        <translation>&amp;Import CSV...</translation>
    </message>
    <message>
        <source>导出 CSV(&amp;E)...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>打印(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>打印设置(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>关于 写频软件(&amp;A)...</source>
        <translation>&amp;About Tarsel...</translation>
    </message>
    <message>
        <source>信道信息</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>读频</source>
        <translation>Read from radio</translation>
    </message>
    <message>
        <source>批量写频</source>
        <translation>Write to many radios</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>Write to radio</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>可选功能</source>
        <translation>Optional features</translation>
    </message>
    <message>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
    <message>
        <source>收音机</source>
        <translation>FM radio</translation>
    </message>
    <message>
        <source>参数调节</source>
        <translation>Parameter adjustment</translation>
    </message>
    <message>
        <source>DTMF 初始化</source>
        <translation>DTMF setup</translation>
    </message>
    <message>
        <source>对讲机信息</source>
        <translation>Radio information</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>插入空信道</source>
        <translation>Insert empty channel</translation>
    </message>
    <message>
        <source>删除并上移</source>
        <translation>Delete and move up</translation>
    </message>
    <message>
        <source>按接收频率排序</source>
        <translation>Sort by receive frequency</translation>
    </message>
    <message>
        <source>分隔栏</source>
        <translation>Navigation bar</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
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
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>界面语言将在下次启动时切换</source>
        <translation>The interface language changes at the next start</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>View</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>编程</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>无法打开文件“%1”。</source>
        <translation>Cannot open the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>无法保存文件“%1”。</source>
        <translation>Cannot save the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>初始化</source>
        <translation>Initialise</translation>
    </message>
    <message>
        <source>只能对存储信道 A 001 至 B 128 进行此操作，VFO 不在其中。</source>
        <translation>This works only on memory channels A 001 to B 128, not on the VFOs.</translation>
    </message>
    <message>
        <source>要粘贴的信道超出了 B 128，未粘贴任何信道。</source>
        <translation>The channels to paste go past B 128; nothing was pasted.</translation>
    </message>
    <message>
        <source>本段的最后一个信道不是空信道，插入会挤掉它：请先清除或删除它。</source>
        <translation>The last channel of this band is not empty and would be pushed out: clear or delete it first.</translation>
    </message>
    <message>
        <source>剪贴板中没有可粘贴的信道。</source>
        <translation>The clipboard holds no channels to paste.</translation>
    </message>
    <message>
        <source>是否保存对“%1”的更改？</source>
        <translation>Save the changes to &quot;%1&quot;?</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CModelDialog</name>
    <message>
        <source>机型信息</source>
        <translation>Model information</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CMyDocManager</name>
    <message>
        <source>无法打开文件“%1”。</source>
        <translation>Cannot open the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>无法保存文件“%1”。</source>
        <translation>Cannot save the file &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CNavigationBar</name>
    <message>
        <source>导航</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>信道信息</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>可选功能</source>
        <translation>Optional features</translation>
    </message>
    <message>
        <source>DTMF</source>
        <translation>DTMF</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::COptionalFeaturesDialog</name>
    <message>
        <source>可选功能</source>
        <translation>Optional features</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CParameterAdjustDialog</name>
    <message>
        <source>参数调节</source>
        <translation>Parameter adjustment</translation>
    </message>
    <message>
        <source>1846S</source>
        <translation>1846S</translation>
    </message>
    <message>
        <source>MCU</source>
        <translation>MCU</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CPasswordDialog</name>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CPortDialog</name>
    <message>
        <source>端口设置</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CProgramDoc</name>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CProgramView</name>
    <message>
        <source>信道信息</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>收音机</source>
        <translation>FM radio</translation>
    </message>
    <message>
        <source>批量生成</source>
        <translation>Fill channels</translation>
    </message>
    <message>
        <source>信道编辑</source>
        <translation>Edit channel</translation>
    </message>
    <message>
        <source>初始化</source>
        <translation>Initialise</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>插入空信道</source>
        <translation>Insert empty channel</translation>
    </message>
    <message>
        <source>删除并上移</source>
        <translation>Delete and move up</translation>
    </message>
    <message>
        <source>按接收频率排序</source>
        <translation>Sort by receive frequency</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CRadioInfoDialog</name>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>对讲机信息</source>
        <translation>Radio information</translation>
    </message>
    <message>
        <source>MCU版本</source>
        <translation>MCU version</translation>
    </message>
    <message>
        <source>PC版本</source>
        <translation>PC version</translation>
    </message>
    <message>
        <source>A段</source>
        <translation>Band A</translation>
    </message>
    <message>
        <source>B段</source>
        <translation>Band B</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CRegionDialog</name>
    <message>
        <source>读数据</source>
        <translation>Read data</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write data</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CServiceProgressWindow</name>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CStepButtons</name>
    <message>
        <source>增加</source>
        <translation>Increase</translation>
    </message>
    <message>
        <source>减少</source>
        <translation>Decrease</translation>
    </message>
</context>
<context>
    <name>tarsel::ui::CTransferDialog</name>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>写入后校验</source>
        <translation>Verify after writing</translation>
    </message>
    <message>
        <source>无法打开串口</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>通信出错</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>写入校验失败</source>
        <translation>Verification failed</translation>
    </message>
    <message>
        <source>写入并校验成功</source>
        <translation>Written and verified</translation>
    </message>
    <message>
        <source>初始化数据成功</source>
        <translation>Radio initialised</translation>
    </message>
</context>
<context>
    <name>web</name>
    <message>
        <source>CSV 信道表</source>
        <translation>CSV channel list</translation>
    </message>
    <message>
        <source>USB 写频线</source>
        <translation>USB programming cable</translation>
    </message>
    <message>
        <source>从信道 N 起依次放入</source>
        <translation>Place from channel N on</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>信道 N</source>
        <translation>Channel N</translation>
    </message>
    <message>
        <source>信道信息</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>写入并校验成功</source>
        <translation>Written and verified</translation>
    </message>
    <message>
        <source>写入校验失败</source>
        <translation>Verification failed</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write data</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>Write to radio</translation>
    </message>
    <message>
        <source>写频软件</source>
        <translation>Tarsel</translation>
    </message>
    <message>
        <source>删除并上移</source>
        <translation>Delete and move up</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>剪贴板中没有可粘贴的信道。</source>
        <translation>The clipboard holds no channels to paste.</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>只能对存储信道 A 001 至 B 128 进行此操作，VFO 不在其中。</source>
        <translation>This works only on memory channels A 001 to B 128, not on the VFOs.</translation>
    </message>
    <message>
        <source>可导入 %1 行，警告 %2 条，有错的行 %3 行。</source>
        <translation>%1 rows to import, %2 warnings, %3 rows with errors.</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>按接收频率排序</source>
        <translation>Sort by receive frequency</translation>
    </message>
    <message>
        <source>插入空信道</source>
        <translation>Insert empty channel</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>数据文件</source>
        <translation>Data file</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Documents</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>无法保存文件“%1”。</source>
        <translation>Cannot save the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>无法打开串口</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>无法打开文件“%1”。</source>
        <translation>Cannot open the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>是否保存对“%1”的更改？</source>
        <translation>Save the changes to &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>显示所有串口</source>
        <translation>Show all serial ports</translation>
    </message>
    <message>
        <source>本段的最后一个信道不是空信道，插入会挤掉它：请先清除或删除它。</source>
        <translation>The last channel of this band is not empty and would be pushed out: clear or delete it first.</translation>
    </message>
    <message>
        <source>正在载入……</source>
        <translation>Loading…</translation>
    </message>
    <message>
        <source>清空原有信道</source>
        <translation>Clear existing channels</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>演示电台</source>
        <translation>Demo radio</translation>
    </message>
    <message>
        <source>电台</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>编程</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>要粘贴的信道超出了 B 128，未粘贴任何信道。</source>
        <translation>The channels to paste go past B 128; nothing was pasted.</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>警告和错误</source>
        <translation>Warnings and errors</translation>
    </message>
    <message>
        <source>读数据</source>
        <translation>Read data</translation>
    </message>
    <message>
        <source>读频</source>
        <translation>Read from radio</translation>
    </message>
    <message>
        <source>跳过有错的行</source>
        <translation>Skip rows with errors</translation>
    </message>
    <message>
        <source>这不是信道表：没有可导入的行。</source>
        <translation>This is not a channel list: there are no rows to import.</translation>
    </message>
    <message>
        <source>这个浏览器不支持 Web Serial（请使用 Chrome、Edge 或 Opera）：读频和写频只能用演示电台；其他功能都可以使用。</source>
        <translation>This browser has no Web Serial (use Chrome, Edge or Opera): read and write can only use the demo radio; everything else works.</translation>
    </message>
    <message>
        <source>通信出错</source>
        <translation>Communication error</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>减少</source>
        <translation>Decrease</translation>
    </message>
    <message>
        <source>可选功能</source>
        <translation>Optional features</translation>
    </message>
    <message>
        <source>增加</source>
        <translation>Increase</translation>
    </message>
    <message>
        <source>收音机</source>
        <translation>FM radio</translation>
    </message>
    <message>
        <source>收音机配置</source>
        <translation>FM radio</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>机型信息</source>
        <translation>Model information</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>备份</source>
        <translation>Backups</translation>
    </message>
    <message>
        <source>打开备份…</source>
        <translation>Open backup…</translation>
    </message>
    <message>
        <source>无法保存备份</source>
        <translation>Cannot save the backup</translation>
    </message>
    <message>
        <source>还没有备份：每次读频和写频都会自动备份。</source>
        <translation>No backups yet: every read and every write is backed up automatically.</translation>
    </message>
    <message>
        <source>写频软件已更新到新版本。</source>
        <translation>Tarsel was updated to a new version.</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
</context>
</TS>
