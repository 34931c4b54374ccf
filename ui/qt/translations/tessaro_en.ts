<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>tessaro::qt::AboutBox</name>
    <message>
        <source>Tessaroのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Tessaro</translation>
    </message>
    <message>
        <source>AAC⇔WAV変換</source>
        <translation>AAC/WAV tool</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tessaro::qt::ErrorWindow</name>
    <message>
        <source>TSR エラーメッセージ</source>
        <translation>TSR error message</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>tessaro::qt::MainWindow</name>
    <message>
        <source>入力</source>
        <translation>In</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>出力</source>
        <translation>Out</translation>
    </message>
    <message>
        <source>TSRｻｲｽﾞ</source>
        <translation>TSR size</translation>
    </message>
    <message>
        <source>変換</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>tessaro::qt::QtWindowSystem</name>
    <message>
        <source>Tessaro のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Tessaro...</translation>
    </message>
    <message>
        <source>AAC File(*.aac)</source>
        <translation>AAC files (*.aac)</translation>
    </message>
    <message>
        <source>WAV File(*.wav)</source>
        <translation>WAV files (*.wav)</translation>
    </message>
    <message>
        <source>All File(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
</context>
</TS>
