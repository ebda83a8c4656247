<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>DialogButtons</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>FilePicker</name>
    <message>
        <source>ﾎｰﾑ</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>ﾋﾟｸﾁｬ</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>「%1」のﾌｧｲﾙはありません。「%2」なら %3 個の画像が見えます</source>
        <translation>No “%1” here. “%2” shows %3 pictures.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの一覧</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>ﾃﾞｨﾚｸﾄﾘの一覧</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙの種類</source>
        <translation>File type</translation>
    </message>
    <message>
        <source>ﾄﾞﾗｲﾌﾞ</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>現在のﾃﾞｨﾚｸﾄﾘ</source>
        <translation>Current folder</translation>
    </message>
</context>
<context>
    <name>FileTypes</name>
    <message>
        <source>Bitmap File(*.BMP)</source>
        <translation>Bitmap file (*.BMP)</translation>
    </message>
    <message>
        <source>画像ﾌｧｲﾙ</source>
        <translation>Picture files</translation>
    </message>
    <message>
        <source>画像ファイル</source>
        <translation>Picture files</translation>
    </message>
    <message>
        <source>Wave File(*.wav)</source>
        <translation>Wave file (*.wav)</translation>
    </message>
    <message>
        <source>All Files(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Zelvaro ヘルプ</source>
        <translation>Zelvaro Help</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前に見ていた項目に戻ります (Alt+←)</source>
        <translation>Back to the topic shown before (Alt+Left)</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>目次を表示します (Alt+Home)</source>
        <translation>Show the contents (Alt+Home)</translation>
    </message>
    <message>
        <source>&lt;p&gt;ヘルプファイル %1 を開けません。&lt;/p&gt;</source>
        <translation>&lt;p&gt;Cannot open the help file %1.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;このヘルプ項目 (%1) はありません。&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;#ctx-0&quot;&gt;目次&lt;/a&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;There is no help topic %1.&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;#ctx-0&quot;&gt;Contents&lt;/a&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ImageInfoBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Zelvaro Information</translation>
    </message>
</context>
<context>
    <name>InfoRows</name>
    <message>
        <source>起動ﾃﾞｨﾚｸﾄﾘ</source>
        <translation>Boot folder</translation>
    </message>
    <message>
        <source>Windowsﾃﾞｨﾚｸﾄﾘ</source>
        <translation>Program data folder</translation>
    </message>
    <message>
        <source>Systemﾃﾞｨﾚｸﾄﾘ</source>
        <translation>System library folder</translation>
    </message>
    <message>
        <source>Tempﾃﾞｨﾚｸﾄﾘ</source>
        <translation>Temporary folder</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀｰ名</source>
        <translation>Computer name</translation>
    </message>
    <message>
        <source>会社名</source>
        <translation>Organisation</translation>
    </message>
    <message>
        <source>ﾕｰｻﾞｰ名</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>ﾌﾟﾗｯﾄﾌｫｰﾑ</source>
        <translation>Platform</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ</source>
        <translation>Kernel release</translation>
    </message>
    <message>
        <source>ﾋﾞﾙﾄﾞﾅﾝﾊﾞｰ</source>
        <translation>Kernel build number</translation>
    </message>
    <message>
        <source>仮想ﾒﾓﾘ</source>
        <translation>Address space per program</translation>
    </message>
    <message>
        <source>物理ﾒﾓﾘ</source>
        <translation>Physical memory</translation>
    </message>
    <message>
        <source>ｽﾜｯﾌﾟﾌｧｲﾙ</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>ｽﾜｯﾌﾟﾌｧｲﾙ使用率</source>
        <translation>Swap in use</translation>
    </message>
    <message>
        <source>使用可能物理ﾒﾓﾘ</source>
        <translation>Free physical memory</translation>
    </message>
    <message>
        <source>使用可能仮想ﾒﾓﾘ</source>
        <translation>Free address space per program</translation>
    </message>
    <message>
        <source>使用可能ｽﾜｯﾌﾟﾌｧｲﾙ</source>
        <translation>Free swap</translation>
    </message>
    <message>
        <source>使用可能ﾕｰｻﾞｰﾘｿｰｽ</source>
        <translation>Free system file handles</translation>
    </message>
    <message>
        <source>使用可能GDIﾘｿｰｽ</source>
        <translation>Free file descriptors</translation>
    </message>
    <message>
        <source>使用</source>
        <translation>Used</translation>
    </message>
    <message>
        <source>空き</source>
        <translation>Free</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>&apos;%s&apos; は改行を含むため設定ファイルに書き込めません</source>
        <translation>&apos;%s&apos; holds a line break and cannot be written to the settings file</translation>
    </message>
    <message>
        <source>%s が応答しません</source>
        <translation>%s does not answer</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ %s は開けません</source>
        <translation>Cannot open the file %s</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です</source>
        <translation>The bitmap image is not valid</translation>
    </message>
    <message>
        <source>%s を表示するメモリが足りません</source>
        <translation>not enough memory to show %s</translation>
    </message>
    <message>
        <source>この画像を表示するメモリが足りません。ほかのプログラムを閉じてから選び直してください</source>
        <translation>There is not enough memory to show this picture. Close other programs, then choose it again.</translation>
    </message>
    <message>
        <source>壁紙の画像をフォルダー %s に書き込めません。
ディスクの空きを増やすか、このフォルダーに書き込めるようにしてください。</source>
        <translation>Cannot write the wallpaper picture into the folder %s.
Free some space on its disk, or make the folder writable.</translation>
    </message>
    <message>
        <source>このJPGは読み込めません</source>
        <translation>This JPEG picture cannot be read</translation>
    </message>
    <message>
        <source>このGIFは読み込めません</source>
        <translation>This GIF picture cannot be read</translation>
    </message>
    <message>
        <source>このTIFは読み込めません</source>
        <translation>This TIFF picture cannot be read</translation>
    </message>
    <message>
        <source>このBMPは読み込めません</source>
        <translation>This BMP picture cannot be read</translation>
    </message>
    <message>
        <source>%s に書き込めません</source>
        <translation>Cannot write %s</translation>
    </message>
    <message>
        <source>緊急表示壁紙ﾌｧｲﾙが設定されていません。ｵﾌﾟｼｮﾝ設定で選んでください</source>
        <translation>No panic wallpaper is set. Choose a picture under Options</translation>
    </message>
    <message>
        <source>デスクトップが壁紙 %s の表示をエラーで断りました。デスクトップの設定を確かめてください。詳しい理由はログにあります</source>
        <translation>The desktop refused with an error to show the wallpaper %s. Check the desktop's settings; the log gives the reason</translation>
    </message>
    <message>
        <source>壁紙ﾃﾞｨﾚｸﾄﾘ %s の画像ﾌｧｲﾙは、どれも行き先のないﾘﾝｸです。ﾘﾝｸを直すか、ｵﾌﾟｼｮﾝ設定で選び直してください</source>
        <translation>The pictures in the wallpaper folder %s are all links that lead nowhere. Mend the links or choose another folder under Options</translation>
    </message>
    <message>
        <source>壁紙ﾃﾞｨﾚｸﾄﾘ %s に画像ﾌｧｲﾙがありません。画像を置くか、ｵﾌﾟｼｮﾝ設定で選び直してください</source>
        <translation>The wallpaper folder %s holds no pictures. Put pictures there or choose another folder under Options</translation>
    </message>
    <message>
        <source>壁紙ﾃﾞｨﾚｸﾄﾘ %s がありません。ｵﾌﾟｼｮﾝ設定で選び直してください</source>
        <translation>The wallpaper folder %s does not exist. Choose another one under Options</translation>
    </message>
    <message>
        <source>壁紙ﾃﾞｨﾚｸﾄﾘが設定されていません。ｵﾌﾟｼｮﾝ設定で壁紙ﾃﾞｨﾚｸﾄﾘを選んでください</source>
        <translation>No wallpaper folder is set. Choose one under Options, Wallpaper folder</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ %s は画像ではありません。画像ﾌｧｲﾙの名前を入力してください</source>
        <translation>The file %s is not a picture. Type the name of a picture file</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ %s が見つかりません。名前を確かめて入力し直してください</source>
        <translation>The file %s was not found. Check the name and type it again</translation>
    </message>
    <message>
        <source>%s を読み込めません</source>
        <translation>Cannot read %s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; は時刻ではありません</source>
        <translation>'%s' is not a time</translation>
    </message>
    <message>
        <source>このPNGは読み込めません</source>
        <translation>This PNG picture cannot be read</translation>
    </message>
    <message>
        <source>このWEBPは読み込めません</source>
        <translation>This WebP picture cannot be read</translation>
    </message>
    <message>
        <source>このAVIFは読み込めません</source>
        <translation>This AVIF picture cannot be read</translation>
    </message>
    <message>
        <source>このHEICは読み込めません</source>
        <translation>This HEIC picture cannot be read</translation>
    </message>
    <message>
        <source>このXMLは読み込めません</source>
        <translation>This timed XML background cannot be read</translation>
    </message>
    <message>
        <source>このHEIFは読み込めません</source>
        <translation>This HEIF picture cannot be read</translation>
    </message>
    <message>
        <source>このJXLは読み込めません</source>
        <translation>This JPEG XL picture cannot be read</translation>
    </message>
</context>
<context>
    <name>ScreenSaver</name>
    <message>
        <source>ｾｰﾊﾞ停止</source>
        <translation>Screen saver switched off by Zelvaro</translation>
    </message>
</context>
<context>
    <name>TAlarmSetDlg</name>
    <message>
        <source>3分</source>
        <translation>3 min</translation>
    </message>
    <message>
        <source>5分</source>
        <translation>5 min</translation>
    </message>
    <message>
        <source>10分</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>15分</source>
        <translation>15 min</translation>
    </message>
    <message>
        <source>30分</source>
        <translation>30 min</translation>
    </message>
    <message>
        <source>1時間</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>2時間</source>
        <translation>2 hours</translation>
    </message>
    <message>
        <source>3時間</source>
        <translation>3 hours</translation>
    </message>
    <message>
        <source>Zelvaro ｱﾗｰﾑの設定</source>
        <translation>Zelvaro Alarm Setting</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>ｱﾗｰﾑの時</source>
        <translation>Alarm hour</translation>
    </message>
    <message>
        <source>ｱﾗｰﾑの分</source>
        <translation>Alarm minute</translation>
    </message>
    <message>
        <source>今の時刻</source>
        <translation>&amp;Now</translation>
    </message>
    <message>
        <source>今の時刻にプラス</source>
        <translation>Add to the current time</translation>
    </message>
    <message>
        <source>ｱﾗｰﾑの時刻</source>
        <translation>Alarm time</translation>
    </message>
</context>
<context>
    <name>TCalendarDlg</name>
    <message>
        <source>Zelvaro のカレンダー</source>
        <translation>Zelvaro Calendar</translation>
    </message>
    <message>
        <source>今日</source>
        <translation>&amp;Today</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>TConfigDlg</name>
    <message>
        <source>Zelvaroの設定</source>
        <translation>Zelvaro Options</translation>
    </message>
    <message>
        <source>壁紙ﾃﾞｨﾚｸﾄﾘ</source>
        <translation>&amp;Wallpaper Folders</translation>
    </message>
    <message>
        <source>壁紙ｵﾌﾟｼｮﾝ</source>
        <translation>Wallpaper &amp;Options</translation>
    </message>
    <message>
        <source>時報</source>
        <translation>Time &amp;Signals</translation>
    </message>
    <message>
        <source>ｱﾗｰﾑ</source>
        <translation>&amp;Alarm</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝﾃﾞｨﾚｸﾄﾘ 1</source>
        <translation>Extra folder &amp;1</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝﾃﾞｨﾚｸﾄﾘ 2</source>
        <translation>Extra folder &amp;2</translation>
    </message>
    <message>
        <source>標準ﾃﾞｨﾚｸﾄﾘ</source>
        <translation>&amp;Main folder:</translation>
    </message>
    <message>
        <source>壁紙変更</source>
        <translation>&amp;Change the wallpaper</translation>
    </message>
    <message>
        <source>起動時に変更</source>
        <translation>Change it at star&amp;tup</translation>
    </message>
    <message>
        <source>ドロップファイルの減色</source>
        <translation>&amp;Reduce the colours of dropped pictures</translation>
    </message>
    <message>
        <source>Zelvaro前面表示</source>
        <translation>&amp;Keep Zelvaro on top</translation>
    </message>
    <message>
        <source>24時間表示</source>
        <translation>&amp;24-hour clock</translation>
    </message>
    <message>
        <source>壁紙ﾃﾞｨﾚｸﾄﾘ %1 がありません。このまま設定しますか？</source>
        <translation>The wallpaper folder %1 does not exist. Keep it anyway?</translation>
    </message>
    <message>
        <source>変更間隔（分）</source>
        <translation>&amp;Interval (minutes):</translation>
    </message>
    <message>
        <source>緊急表示壁紙ﾌｧｲﾙ</source>
        <translation>&amp;Panic wallpaper:</translation>
    </message>
    <message>
        <source>正時</source>
        <translation>&amp;Every hour</translation>
    </message>
    <message>
        <source>３０分</source>
        <translation>At half &amp;past</translation>
    </message>
    <message>
        <source>１５分／４５分</source>
        <translation>At &amp;quarter past and to</translation>
    </message>
    <message>
        <source>ｻｳﾝﾄﾞﾌｧｲﾙ</source>
        <translation>Sound &amp;file</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄマップﾌｧｲﾙ</source>
        <translation>&amp;Bitmap file</translation>
    </message>
    <message>
        <source>%1 のﾌｫﾙﾀﾞ</source>
        <translation>%1 (folder)</translation>
    </message>
    <message>
        <source>%1 を選ぶ</source>
        <translation>Choose %1</translation>
    </message>
    <message>
        <source>%1 の開始 (時)</source>
        <translation>%1: start hour</translation>
    </message>
    <message>
        <source>%1 の開始 (分)</source>
        <translation>%1: start minute</translation>
    </message>
    <message>
        <source>%1 の終了 (時)</source>
        <translation>%1: end hour</translation>
    </message>
    <message>
        <source>%1 の終了 (分)</source>
        <translation>%1: end minute</translation>
    </message>
    <message>
        <source>%1 のﾌｧｲﾙ</source>
        <translation>%1 (path)</translation>
    </message>
    <message>
        <source>中央</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>Tile</translation>
    </message>
    <message>
        <source>ﾌｨｯﾄ</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>伸縮</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>ｽﾊﾟﾝ</source>
        <translation>Span across screens</translation>
    </message>
    <message>
        <source>表示方法</source>
        <translation>Display mode</translation>
    </message>
    <message>
        <source>ﾓﾆﾀｰごとに別の壁紙</source>
        <translation>A different picture on each &amp;monitor</translation>
    </message>
</context>
<context>
    <name>TMsgDlg</name>
    <message>
        <source>Zelvaro ｱﾗｰﾑ</source>
        <translation>Zelvaro Alarm</translation>
    </message>
    <message>
        <source>指定の時間になりました</source>
        <translation>It is the time you set</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>%1時%2分です (%3)</source>
        <translation>%3</translation>
    </message>
</context>
<context>
    <name>TfrmAboutDlg</name>
    <message>
        <source>メールプログラムを起動します</source>
        <translation>Starts the mail program</translation>
    </message>
    <message>
        <source>WEBブラウザを起動します</source>
        <translation>Opens the web browser</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TfrmClock</name>
    <message>
        <source>about Zelvaro</source>
        <translation>About Zelvaro</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>ｺﾏﾝﾄﾞﾒﾆｭｰを開きます</source>
        <translation>Opens the command menu</translation>
    </message>
    <message>
        <source>Panic</source>
        <translation>Panic</translation>
    </message>
    <message>
        <source>緊急表示壁紙に切り替えます</source>
        <translation>Shows the panic wallpaper at once</translation>
    </message>
    <message>
        <source>ｱﾗｰﾑ設定</source>
        <translation>Set &amp;Alarm...</translation>
    </message>
    <message>
        <source>ｱﾗｰﾑ停止</source>
        <translation>Alarm O&amp;ff</translation>
    </message>
    <message>
        <source>壁紙指定</source>
        <translation>&amp;Wallpaper</translation>
    </message>
    <message>
        <source>全&#x3000;&#x3000;体</source>
        <translation>&amp;Tile...</translation>
    </message>
    <message>
        <source>中&#x3000;&#x3000;央</source>
        <translation>&amp;Centre...</translation>
    </message>
    <message>
        <source>ｾｰﾊﾞ起動</source>
        <translation>Start &amp;Screen Saver</translation>
    </message>
    <message>
        <source>壁紙変更停止</source>
        <translation>&amp;Pause Wallpaper Changes</translation>
    </message>
    <message>
        <source>ｾｰﾊﾞ停止</source>
        <translation>&amp;Disable Screen Saver</translation>
    </message>
    <message>
        <source>ｶﾚﾝﾀﾞｰ</source>
        <translation>&amp;Calendar...</translation>
    </message>
    <message>
        <source>ｲﾝﾌｫﾒｰｼｮﾝ</source>
        <translation>System &amp;Information...</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ設定</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>ｱ ｲ ｺ ﾝ</source>
        <translation>&amp;Minimise</translation>
    </message>
    <message>
        <source>ﾍ  ﾙ  ﾌﾟ</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ</source>
        <translation>A&amp;bout Zelvaro</translation>
    </message>
    <message>
        <source>終    了</source>
        <translation>&amp;Quit</translation>
    </message>
</context>
<context>
    <name>TfrmInfoDlg</name>
    <message>
        <source>ｲﾝﾌｫﾒｰｼｮﾝ</source>
        <translation>Zelvaro System Information</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾌ</source>
        <translation>Charts</translation>
    </message>
    <message>
        <source>ﾒﾓﾘ・ﾘｿｰｽ</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>OS・ﾕｰｻﾞｰ</source>
        <translation>System</translation>
    </message>
    <message>
        <source>ﾃﾞｨﾚｸﾄﾘ</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>物理ﾒﾓﾘ</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>ｽﾜｯﾌﾟﾌｧｲﾙ</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>ﾕｰｻﾞｰﾘｿｰｽ</source>
        <translation>Resources</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>TfrmOpenBmp</name>
    <message>
        <source>画像ﾌｧｲﾙの選択</source>
        <translation>Zelvaro: Choose a Picture</translation>
    </message>
    <message>
        <source> ﾌﾟﾚﾋﾞｭｰ</source>
        <translation>&amp;Preview</translation>
    </message>
    <message>
        <source>ﾀﾞｲﾅﾐｯｸ壁紙</source>
        <translation>Dynamic wallpaper</translation>
    </message>
    <message>
        <source>ﾀﾞｲﾅﾐｯｸ: %1 枚、%2 の太陽に合わせて変わります</source>
        <translation>dynamic: %1 pictures, follows the sun at %2</translation>
    </message>
    <message>
        <source>ﾀﾞｲﾅﾐｯｸ: %1 枚、%2 の昼と夜で変わります</source>
        <translation>dynamic: %1 pictures, light by day and dark by night at %2</translation>
    </message>
    <message>
        <source>ﾀﾞｲﾅﾐｯｸ: %1 枚、時刻に合わせて変わります</source>
        <translation>dynamic: %1 pictures, follows the time of day</translation>
    </message>
    <message>
        <source>ﾀﾞｲﾅﾐｯｸ: %1 枚、決まった時間ごとに繰り返します</source>
        <translation>dynamic: %1 pictures, a timed loop</translation>
    </message>
</context>
<context>
    <name>TfrmOpenWav</name>
    <message>
        <source>WAVの選択</source>
        <translation>Zelvaro: Choose a Sound</translation>
    </message>
    <message>
        <source>Sound Test</source>
        <translation>Sound test</translation>
    </message>
    <message>
        <source>自動演奏</source>
        <translation>&amp;Play on selection</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>WallpaperManager</name>
    <message>
        <source>壁紙変更停止</source>
        <translation>&amp;Pause Wallpaper Changes</translation>
    </message>
</context>
<context>
    <name>TCalenPnl</name>
    <message>
        <source>%1 %2</source>
        <translation>%2 %1</translation>
    </message>
</context>
</TS>
