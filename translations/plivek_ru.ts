<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AsuddDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/asudddlg.ui" line="+14"/>
        <source>ATCS parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Permissible inactivity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+98"/>
        <location line="+29"/>
        <location line="+29"/>
        <location line="+32"/>
        <location line="+29"/>
        <location line="+29"/>
        <source>Not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-243"/>
        <source>sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+336"/>
        <location line="+26"/>
        <source>Priority under RCU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-355"/>
        <source>Interstate option:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>TSCTM address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Signal level (TSCTM):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>LFR call button:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Phase number of LFR/TSCTM:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Duration of phase LFR:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Duration of LFR:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Enable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Communtcation server connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>inactivity timeout, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Inactivity timeout, sec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CalendarDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/calendardlg.ui" line="+14"/>
        <source>Calendar schedule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Create a minimum set of data on the addition of</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Reserve program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Daily card:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Daily cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+40"/>
        <location line="+74"/>
        <location line="+134"/>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-203"/>
        <location line="+74"/>
        <location line="+62"/>
        <location line="+72"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-203"/>
        <location line="+74"/>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-69"/>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Reserve program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Weekly cards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+55"/>
        <location line="+134"/>
        <source>Daily card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-125"/>
        <source>Seasonal timetable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Weekly card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Special days of year</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+53"/>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/calendardlg.cpp" line="+31"/>
        <source>Mon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Tue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Wed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Thu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Fri</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Sun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+2"/>
        <location filename="../plivek/dialogs/controller/calendardlgedit.cpp" line="+437"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+154"/>
        <location line="+6"/>
        <source>Add card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <location line="+6"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>Add record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-12"/>
        <location line="+6"/>
        <location line="+4"/>
        <location line="+4"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/calendardlgedit.cpp" line="-295"/>
        <source>Daily.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Weekly.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Seasonly.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Impossible to add new daily card. Maximum numbers for given type of controller: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Impossible to add new record to daily card. Maximum numbers for given type of controller: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+138"/>
        <source>Impossible to add new special day. Maximum numbers for given type of controller: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Special.%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommonParametersDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/commonparametersdlg.ui" line="+14"/>
        <source>Common parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Creation time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Last change time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Startup period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>YF time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>RR time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>CDT blinking (sec):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <location filename="../plivek/dialogs/controller/commonparametersdlg.cpp" line="+78"/>
        <source>Power switch:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Configuration version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>3.14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>3.15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>3.16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>3.17</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>3.18</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Max consumption current:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Journal records detail:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Interstates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Green blinking:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-209"/>
        <location line="+26"/>
        <location line="+29"/>
        <location line="+164"/>
        <location line="+26"/>
        <location line="+26"/>
        <source>sec.</source>
        <translation>сек.</translation>
    </message>
    <message>
        <location line="-130"/>
        <source>A</source>
        <translation>А</translation>
    </message>
    <message>
        <location line="+94"/>
        <source>Yellow:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Red-yellow:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Device type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Auto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ZU4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Scheduling type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Traffic light</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Adapter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>MFU Signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Adapter port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Signal2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Port speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/commonparametersdlg.cpp" line="-3"/>
        <source>Expansion case:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+3"/>
        <source>no</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <source>yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>two</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>only network monitoring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PWR_C - 1pc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PWR_C - 2pc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PWR_C - 3pc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PWR_C - 4pc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PWR_C - 5pc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PWR_C - 6pc.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PWR_C - 7pc.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommonParametersZU_MOLTDlg</name>
    <message>
        <location filename="../plivek/programs/zumolt/commonparameterszu_moltdlg.ui" line="+6"/>
        <source>Common parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Startup period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>YF time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+9"/>
        <location line="+15"/>
        <location line="+8"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-31"/>
        <location line="+9"/>
        <source>sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>RR time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Time zone:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Maximum current, mA:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CountDownTableDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/countdowntabledlg.ui" line="+14"/>
        <source>Parameters display countdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Sgnal group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Display address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Blinking time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/countdowntabledlg.cpp" line="+24"/>
        <source>Count tables in group</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CountDownTableTiverk2Dlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/countdowntabletiverk2dlg.ui" line="+14"/>
        <source>Parameters display countdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Default warning time, sec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Protocol:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>V1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>V2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Clear adaptive mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Clear manual mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Signal group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Boards count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Warning time, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CountDownTableZU_MOLTDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/countdowntablezu_moltdlg.ui" line="+14"/>
        <source>Parameters display countdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Default warning time, sec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Protocol:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>V1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>V2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Port of interface:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Signal group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Boards count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Warning time, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/countdowntablezu_moltdlg.cpp" line="+23"/>
        <source>RS485_1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RS485_2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetectorModulesDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/detectormodulesdlg.ui" line="+6"/>
        <source>Detector modules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>TrafficCam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Parameters of TI module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+67"/>
        <location line="+74"/>
        <source>host:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-132"/>
        <location line="+67"/>
        <location line="+74"/>
        <source>port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-123"/>
        <source>Citilog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>xcam modules:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+39"/>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>SmartButton</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Serial port name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Baud rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>SmartMicro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Adapter ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Connection type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>MultiAdapter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Listen IP:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Listen port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>AMQP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Url:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Queue name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Sensors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Parameters of sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>UMRR-0C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>UMRR-11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save current sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Azimuth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>TrafficStream</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetectorsDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/detectorsdlg.ui" line="+6"/>
        <source>Detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Choose in &quot;Type:&quot; where the signal of this element comes from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>TI module:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+44"/>
        <location line="+13"/>
        <location line="+163"/>
        <source>Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-207"/>
        <source>Detector:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+150"/>
        <source>Module:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-141"/>
        <source>xcam module:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Channel type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Polarity for circuit &quot;common&quot;:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>positive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Device name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Signal source:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Sensor ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Zone:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Lane:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Measure line:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+26"/>
        <source>Camera ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Channel ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>module:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Messages to journal on state changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>on state</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+20"/>
        <source>information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-19"/>
        <location line="+20"/>
        <source>warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-19"/>
        <location line="+20"/>
        <source>error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-19"/>
        <location line="+20"/>
        <source>debug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-19"/>
        <location line="+20"/>
        <source>trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-8"/>
        <source>off state:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/elements/detectorsdlg.cpp" line="+54"/>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Sensor.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Detector.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>No restriction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>IR detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+136"/>
        <source>I/O board %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+110"/>
        <source>Channel %1 of Signal module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Channel %1 of CPU board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Smart button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Azimuth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Link to detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/elements/detectorsdlgaccept.cpp" line="+71"/>
        <source>Invalid module or channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Invalid I/O board number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Invalid I/O board channel number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Invalid detector type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>TrafficStream channel %1 is taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>For priority detector name must not be empty</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DevicePropertiesDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/devicepropertiesdlg.ui" line="+16"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-6"/>
        <source>Device parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Lamps count:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-36"/>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Burnout control:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/elements/devicepropertiesdlg.cpp" line="+76"/>
        <source>address not consistent to ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>name not consistent to ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Control of emergency state</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DroppedValues</name>
    <message>
        <location filename="../plivek/document/droppedvalues.cpp" line="+8"/>
        <source>The adapter has no start delay: the start delay of program %1 was dropped</source>
        <translation>В адаптере нет задержки старта: задержка старта программы %1 удалена</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The adapter has no start delay: the start delay of programs %1 was dropped</source>
        <translation>В адаптере нет задержки старта: задержка старта программ %1 удалена</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Version %1 has no start delay: the start delay of program %2 was dropped</source>
        <translation>В версии %1 нет задержки старта: задержка старта программы %2 удалена</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Version %1 has no start delay: the start delay of programs %2 was dropped</source>
        <translation>В версии %1 нет задержки старта: задержка старта программ %2 удалена</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Version %1 has no error control row &quot;Silent devices&quot;: the setting of that row was dropped</source>
        <translation>В версии %1 нет строки контроля ошибок «Молчащие устройства»: её настройка удалена</translation>
    </message>
</context>
<context>
    <name>DtEventDlg</name>
    <message>
        <location filename="../plivek/programs/emulation/dteventdlg.ui" line="+14"/>
        <source>Event emulation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Position, sec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Pulse width, msec:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DtStatDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/dtstatdlg.ui" line="+14"/>
        <source>Statistics of detectors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Period:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+150"/>
        <location line="+38"/>
        <source>min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-155"/>
        <location line="+206"/>
        <source>DT №1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <location line="+206"/>
        <source>DT №2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <location line="+206"/>
        <source>DT №3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <location line="+206"/>
        <source>DT №4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <location line="+206"/>
        <source>DT №5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <location line="+206"/>
        <source>DT №6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <location line="+206"/>
        <source>DT №7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <location line="+206"/>
        <source>DT №8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-201"/>
        <source>DT №9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DT №10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DT №11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DT №12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DT №13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DT №14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DT №15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DT №16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Record №</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Period of internal statistics:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+38"/>
        <source>Not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-28"/>
        <source>Period of internal statistics for detectors group:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>Group 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Group 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Group 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Group 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Group 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Group 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Group 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Group 8</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EmulataorParametersDlg</name>
    <message>
        <location filename="../plivek/programs/emulation/emulatorparametersdlg.ui" line="+14"/>
        <source>Emulation parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Exclude modules:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+27"/>
        <source>reset to default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+27"/>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-16"/>
        <source>Disable plugins:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Logging parameters:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ErrorControlDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/errorcontroldlg.ui" line="+14"/>
        <source>Error control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <location filename="../plivek/dialogs/controller/errorcontroldlg.cpp" line="+74"/>
        <source>Conflict of green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Conflict of red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>SC in load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Circuit between cables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Silent devices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+86"/>
        <source>Interval, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-81"/>
        <location line="+86"/>
        <source>Number of attempts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-72"/>
        <source>Defect switch rate, %:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location line="+29"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-13"/>
        <source>Confidence Interval, sec.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/errorcontroldlg.cpp" line="-14"/>
        <source>Control of red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Control of green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lost of the circuit breaker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Protective shutdown of the circuit breaker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break of the circuit breaker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Short curcuit in the circuit breaker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Break of the key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Short circuit in the key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Parasitic load power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Average current exceeded maximum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Short circuit in load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Self diagnostic error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Current below tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Current above tolerance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Key out of sync with electricity grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Circuit breaker out of sync with electricity grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Nework device lost</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IndicationDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/indicationdlg.ui" line="+14"/>
        <source>Indication setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Signal group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Signal plans</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/indicationdlg.cpp" line="+61"/>
        <source>Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&apos;Silicium&apos; button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Countdown board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+89"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Row %1: program %2 has neither a number nor a name to be named by</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InfoPartParametersDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/infopartparametersdlg.ui" line="+14"/>
        <source>Content of the information part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Receiver:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+42"/>
        <location line="+126"/>
        <location line="+27"/>
        <location line="+27"/>
        <location line="+27"/>
        <location line="+60"/>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-304"/>
        <source>Mayak</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>GPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>ATCS type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>SIGNAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>TSCTM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>TIVERK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Display countdown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Electricity meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Priority pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>UPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Intelligent RCU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Module of detectors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Slot:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+141"/>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-125"/>
        <location line="+27"/>
        <location line="+27"/>
        <location line="+27"/>
        <source>ADT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-76"/>
        <location line="+27"/>
        <location line="+27"/>
        <location line="+27"/>
        <source>DT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-76"/>
        <location line="+27"/>
        <location line="+27"/>
        <location line="+27"/>
        <source>KDT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Modem parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>WAVECOM EDSoft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>WAVECOM WIP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Telit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sepura TETRA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Additional initialization string:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Communication with the server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Time zone:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InterstatesDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/interstatesdlg.ui" line="+14"/>
        <source>Interstates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/elements/interstatesdlg.cpp" line="+36"/>
        <source>variant %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Tist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>AG1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>GF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>AR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>RY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>AG2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LayoutTexts</name>
    <message>
        <location filename="../plivek/programs/tiverk3/layouttexts.cpp" line="+15"/>
        <source>Interstate variant</source>
        <translation>Вариант промтакта</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Transition time</source>
        <translation>Время перехода</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start delay</source>
        <translation>Задержка старта</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cycle</source>
        <translation>Цикл</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Offset</source>
        <translation>Сдвиг</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Phases</source>
        <translation>Фазы</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Phase</source>
        <translation>Фаза</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Call condition</source>
        <translation>Условие вызова</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Call button or detector</source>
        <translation>Кнопка или датчик вызова</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detector address</source>
        <translation>Адрес датчика</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reserved</source>
        <translation>Резерв</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Minimum</source>
        <translation>Минимум</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Maximum</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Extension</source>
        <translation>Продление</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Call phase</source>
        <translation>Фаза вызова</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Call duration</source>
        <translation>Длительность вызова</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Return program</source>
        <translation>Программа возврата</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Tram detector address</source>
        <translation>Адрес датчика трамвая</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Priority phase</source>
        <translation>Фаза приоритета</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Priority duration</source>
        <translation>Длительность приоритета</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Repeated call</source>
        <translation>Повторный вызов</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Queue detector address</source>
        <translation>Адрес датчика очереди</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Occupancy threshold</source>
        <translation>Порог занятости</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Queue program</source>
        <translation>Программа при очереди</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No</source>
        <translation>Нет</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button 1</source>
        <translation>КН1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Button 2</source>
        <translation>КН2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detector</source>
        <translation>Датчик</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Always</source>
        <translation>Постоянно</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../plivek/mainwindow/mainwindow.cpp" line="+55"/>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Recover</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Previous completion of the program was incorrect. Recover data?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+99"/>
        <location line="+8"/>
        <location line="+6"/>
        <location line="+8"/>
        <location line="+7"/>
        <location line="+4"/>
        <location line="+5"/>
        <location line="+5"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-41"/>
        <location line="+7"/>
        <location line="+15"/>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-20"/>
        <location line="+8"/>
        <location line="+5"/>
        <location line="+9"/>
        <location line="+9"/>
        <location line="+5"/>
        <location line="+6"/>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-26"/>
        <location line="+8"/>
        <location line="+4"/>
        <location line="+5"/>
        <location line="+5"/>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+295"/>
        <source>Add power channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Program of configuration of road controllers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowloading.cpp" line="+47"/>
        <source>Loading file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+51"/>
        <source>Loading complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Network contains more then one granules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>The following signal groups into network are not found in the controller and were removed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Following signal groups added to network: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Number of junction not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowpowerpart.cpp" line="+366"/>
        <source>Module of the keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+52"/>
        <source>Assigned SG %1(%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not assigned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindownetworkeditor.cpp" line="+136"/>
        <source>Assign to SG &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Assign to SG ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Remove from SG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Number of contoller must be set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Network not contains granule with id %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowmapcommands.cpp" line="+51"/>
        <location line="+31"/>
        <source>Select file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-30"/>
        <source>Network files (*.hm58a)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>halm58 v0.10 files (*.hm58a)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Select file to save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>DOT files (*.dot)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Export to file %1 in DOT format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Export complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Go to point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enter lon,lat:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>coordinates string (%1) has invalid format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Map opcity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Enter opacity value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowupdatecheck.cpp" line="+32"/>
        <source>updating</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Program or one of component has new version. Update?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowdocumentcommands.cpp" line="+41"/>
        <source>Cannot start the ZU_MOLT editor %1; the configuration is edited here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Saving current document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Saving canceled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Saving complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Document saved to file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Programs contain errors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>
Save?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowdialoglaunchers.cpp" line="+172"/>
        <source>Unable to change value of the parameter &quot;Power switch&quot; at the current amount of power devices.
Need to remove devices: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Question</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Conversion of configuration version may lead to data loss.
Save change of version?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowpowerpart.cpp" line="-341"/>
        <source>Unable to add new device - no free addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+60"/>
        <source>Free</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowphases.cpp" line="+70"/>
        <location filename="../plivek/mainwindow/mainwindowpowerpart.cpp" line="+7"/>
        <location filename="../plivek/mainwindow/mainwindowsignalgroups.cpp" line="+125"/>
        <source>Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowhelpers.h" line="+126"/>
        <location filename="../plivek/mainwindow/mainwindowpowerpart.cpp" line="+27"/>
        <location filename="../plivek/mainwindow/mainwindowsignalgroups.cpp" line="+38"/>
        <source>Removing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowpowerpart.cpp" line="+1"/>
        <source>Following items will be deleted:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+120"/>
        <source>Wrong device address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>No device at address %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Power device with address %1 already exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power device with id %1 already exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowsignalgroups.cpp" line="-94"/>
        <source>Connections that lose their signal: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Crosswalks that lose their signal: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Unable to add new signal group. Maximum numbers for given type of controller: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Clear assigned connections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/signalgroupstable.cpp" line="+27"/>
        <source>Following signal groups will be deleted:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>
After removal, their values will be deleted from the following matrices:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, their times will be deleted from the transitions stored in the following phases:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, their timelines will be deleted from the following programs:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, the following programs will lose them from their parameters:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, the countdown displays of the following signal groups will be deleted:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, the following indication rows will have no signal group:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, the following coordinated programs keep their cycles; the steps after the shorter changes run longer:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>
After removal, the cycles of the following programs will be shorter:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowsignalgroups.cpp" line="+81"/>
        <source>Unable to duplicate signal group %1 - no free numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowphases.cpp" line="-38"/>
        <source>Unable to add new phase. Maximum numbers for given type of controller: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowprograms.cpp" line="+28"/>
        <source>Unable to add new program. Maximum count program for given type of controller: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Program id</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindow.ui" line="+6"/>
        <source>Configuration program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+62"/>
        <source>Equipment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-56"/>
        <location line="+64"/>
        <source>Work logic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-62"/>
        <location line="+72"/>
        <source>Special parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-55"/>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Common</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+41"/>
        <source>Content of power part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <location filename="../plivek/mainwindow/mainwindow.cpp" line="-34"/>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+47"/>
        <location line="+33"/>
        <location line="+31"/>
        <location line="+70"/>
        <location line="+38"/>
        <location line="+23"/>
        <location line="+28"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-269"/>
        <location line="+47"/>
        <location line="+64"/>
        <location line="+108"/>
        <location line="+23"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-241"/>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Auto assign address and name by ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Name prefix:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+60"/>
        <source>Signal groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-50"/>
        <source>Defaults ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+33"/>
        <location line="+31"/>
        <location line="+70"/>
        <location line="+38"/>
        <location line="+23"/>
        <location line="+28"/>
        <location filename="../plivek/mainwindow/mainwindow.cpp" line="+0"/>
        <source>ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-220"/>
        <source>Assigned keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connections and crosswalks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+56"/>
        <source>Phases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-25"/>
        <source>Control programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Objects tree</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Objects properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Matrices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Safety</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Detectors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Modules of detector ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Sensors:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>New ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Create a new configuration file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Open ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Open existing file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save As ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save file with other name (with other format)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Information part ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Change content of information part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Add program ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add signal program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Calendar schedule ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>RCU ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ATCS ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Display countdown ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Error control ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>DT statistics ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Common parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Common parameters of controller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Parameters of synchronizer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Safety matrix ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Conflict matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <location filename="../plivek/mainwindow/mainwindow.cpp" line="+1"/>
        <source>Add device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ADD SG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add new signal group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Add phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Interstates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Go to point ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Map opacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Sumo source ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Color settings ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>smooth</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>DOT graph ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Map settings ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Import halm58 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Controller configuration ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>halm58 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Make consecutive addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Google panorama ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Expert mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Indication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Setup indication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Check for update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/app/batchmodes.cpp" line="+73"/>
        <source>invalid sequence %1 in pattern %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>invalid split %1 in pattern %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/mainwindowmessagetable.cpp" line="+42"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/matricestable.cpp" line="+36"/>
        <source>Matrix.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/commonparameters.cpp" line="+30"/>
        <source>Converting program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>The configuration stays at its version: programs %1 cannot be converted to version %2 (%3)</source>
        <translation>Конфигурация остаётся в своей версии: программы %1 нельзя преобразовать в версию %2 (%3)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Converting program complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
        <source>Program type %1 (%2) not supportet in version 3.14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/detectorstable.cpp" line="+48"/>
        <source>Channel %1 of I/O board %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Channel %1 of CPU board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Traficam %1:%2, channel %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>TrafficStream %1:%2, channel %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Citilog %1:%2, id=%3, channel %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Priority</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Azimuth %1, cam:%2, chan:%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Channel %1 of Signal module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Smart button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Link to detector %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Program %1 no longer uses sensor %2: it was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Program %1 no longer uses detector %2: it was deleted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/phasestable.cpp" line="+76"/>
        <source>Following phases will be deleted:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../plivek/mainwindow/programstable.cpp" line="+112"/>
        <source>
RCU parameters will be changed after removal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>
The phase of LFR/TSCTM in the ATCS parameters will be not set after removal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>
After removal, the following programs will be wrong:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Plan %1: phase %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Plan %1: phases %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source> (the plan is left without phases)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>
After removal, the following plan phases that run them will be removed, with the calls, detector conditions and sequence entries that name them:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>
After removal, the transitions from them stored in the following phases will be deleted:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>
After removal, the following coordinated programs keep their cycles; the steps after the changes into and out of the deleted phases take up the difference:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>
After removal, the cycles of the following programs will change:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1 phase transition %2-&gt;%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/powerpart.cpp" line="+143"/>
        <source>Unable to add module with address %1: exceeded the maximum number of devices (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Unable to duplicate device with address %1 - no free addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Unable to duplicate key with address %1 - no free addresses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/programstable.cpp" line="-33"/>
        <source>The following daily cards name program %1, which does not exist:
%2
A program given id %1 runs their slots. Give it id %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Following programs will be deleted:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>
After removal, the following daily cards will be wrong:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, the following indication rows will name programs that do not exist:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>
After removal, the following programs will lose the program they switch to:
</source>
        <translation>
После удаления следующие программы потеряют программу, на которую они переключаются:
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>
After removal, the calendar will have no default program</source>
        <translation>
После удаления в календаре не будет программы по умолчанию</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
After removal, the calendar will have no reserve program</source>
        <translation>
После удаления в календаре не будет резервной программы</translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/programvalidation.cpp" line="+32"/>
        <source>Program %1, transition %2-&gt;%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Program %1, transition %2-&gt;%3, SG %4 and %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Incorrect phase transitions:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Conflict of green:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/mainwindow/cyclechangetexts.cpp" line="+10"/>
        <source>%1 (%2 s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 (%2 s -&gt; %3 s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindowTexts</name>
    <message>
        <location filename="../plivek/app/batchmodes.cpp" line="-48"/>
        <source>Error reading program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Load multiring data error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>invalid pattern %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+68"/>
        <source>Invalid program type %1 when converting formats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+100"/>
        <source>Program %1 not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Error creating program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Error writing output file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Program id &quot;%1&quot; holds a line break; the program list is not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/app/loadcontrollerconfig.cpp" line="+20"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Configuration not contains valid data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <location line="+5"/>
        <location line="+68"/>
        <source>Error open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-71"/>
        <source>The file is too large to load</source>
        <translation>Файл слишком велик для загрузки</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+4"/>
        <source>Error processing data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-3"/>
        <source>Storage service returned an data of unknown format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+3"/>
        <location line="+32"/>
        <location line="+13"/>
        <source>Error loading document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-35"/>
        <source>Not enough memory to load %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No configuration file given (--controller-config)</source>
        <translation>Не задан файл конфигурации (--controller-config)</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>You must specify the configuration of the controller %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/app/reportwriter.cpp" line="+160"/>
        <source>Error open folder</source>
        <translation>Ошибка открытия папки</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not a folder</source>
        <translation>Это не папка</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No such folder</source>
        <translation>Папка не найдена</translation>
    </message>
</context>
<context>
    <name>MatrixDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/matrixdlg.ui" line="+6"/>
        <source>Matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Forbid cells with the same phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show full name of SG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Rounding off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Use conflict matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>From geometry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/elements/matrixdlg.cpp" line="+121"/>
        <source>New conflict matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Conflict matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Matrix %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+392"/>
        <location line="+16"/>
        <location line="+23"/>
        <location line="+116"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-154"/>
        <source>Granule with id = &apos;%1&apos; not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Signal group count in network (%1) not equal count in controller (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Can&apos;t find matrix: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+116"/>
        <source>Following phases contains conflicted signal groups:
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NewDocumentDlg</name>
    <message>
        <location filename="../plivek/document/newdocumentdlg.ui" line="+6"/>
        <source>Document type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>TIVERK 3.14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>TIVERK 3.15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>TIVERK 3.16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>TIVERK 3.17</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>TIVERK 3.18</source>
        <translation>ТИВЕРК 3.18</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Adapter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>TIVERK II</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>ZU_MOLT</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputsDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/outputsdlg.ui" line="+6"/>
        <source>Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Default value:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/outputsdlg.cpp" line="+65"/>
        <source>Output.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+109"/>
        <source>I/O board %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParametersTable</name>
    <message>
        <location filename="../common/widgets/parameterstable.cpp" line="+138"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Copy all with titles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PhaseDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/phasedlg.ui" line="+6"/>
        <source>Phase properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Minimum duration, sec.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+11"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <source>Maximum duration, sec.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Signal groups:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Assigned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Assigned SG:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/elements/phasedlg.cpp" line="+225"/>
        <source>Remove from phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Assign</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgramDlg</name>
    <message>
        <location filename="../plivek/programs/programdlg.ui" line="+6"/>
        <source>Control plan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Algorithm type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Duration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../plivek/programs/programdlg.cpp" line="+443"/>
        <source>unlimited</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Diagramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Cycle offset:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Green start time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Cycle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Change matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/programdiagram.cpp" line="+79"/>
        <source>not supported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+63"/>
        <source>Phase %1
%2 sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Wrong phase transition %1 -&gt; %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/programdlg.cpp" line="-317"/>
        <source>Program.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+100"/>
        <source>Save as SVG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+53"/>
        <source>The algorithm type %1 (%2) of this program is not described for this controller: its parameters cannot be shown. Choose a type to set the program anew.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+194"/>
        <source>Program %1: the cycle is %2 s, its steps make %3 s</source>
        <translation>Программа %1: цикл %2 с, её шаги дают %3 с</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+33"/>
        <source>Interstate variant not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Full duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <location line="+68"/>
        <source>null phase_def</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-22"/>
        <source>Invalid phase %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Can&apos;t find column for phasedef %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+98"/>
        <location line="+16"/>
        <source>Can&apos;t save %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-8"/>
        <source>Set file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>SVG files (*.svg);;All files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk3/algorithmtable.cpp" line="+115"/>
        <source>no</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+134"/>
        <source>row %1,column%2 error: invalid type attribute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+157"/>
        <source>Minimum: %1 sec.
Maximum: %2 sec.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgramDlgZU_MOLT</name>
    <message>
        <location filename="../plivek/programs/zumolt/programdlgzu_molt.ui" line="+6"/>
        <source>Program parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Coordination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cycle length, sec.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Cycle offset, sec.:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/zumolt/programdlgzu_molt.cpp" line="+115"/>
        <source>Program.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>adaptive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>conditional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>soft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+115"/>
        <source>Phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Recall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Passage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Min. green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Max. green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Countdown board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Called step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Redirect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Indicator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+141"/>
        <source>Add step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+13"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-12"/>
        <location line="+13"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-4"/>
        <source>Add event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove event</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgramTiverk2Dlg</name>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlg.ui" line="+14"/>
        <source>Control plan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Algorithm type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Duration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlg.cpp" line="+439"/>
        <source>unlimited</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Matrix:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Change matrix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Diagramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Show emulator log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Coordinated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Cycle offset, sec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Cycle length, sec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>script name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>extensions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>List of extensions separated by comma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <location line="+256"/>
        <source>Stage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-251"/>
        <source>Full length, sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Pattern:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Special pattern</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Module parameters:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Format script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Signal groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Minimum green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Pedestrian green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sensors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Detectors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Maximum green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Passage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>minGap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>timeToReduce</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>timeBeforeReduction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>cycle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>offset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Program cycle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgtables.cpp" line="+182"/>
        <source>Insert step before current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Add step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgtables.cpp" line="+3"/>
        <source>Remove step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Recall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Passage, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+115"/>
        <source>Activate step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-110"/>
        <source>Min. green, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Max. green, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Min. correction, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Max. correction, sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Management conditions:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgtables.cpp" line="+13"/>
        <source>Insert call source before current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgtables.cpp" line="-3"/>
        <source>Insert call source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+13"/>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgtables.cpp" line="+6"/>
        <source>Remove call source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>On step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Allow prolongation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Deactivate step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlg.cpp" line="-297"/>
        <location line="+2"/>
        <source>Program.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgtables.cpp" line="-80"/>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>max</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>soft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>Append phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Append crosswalk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove crosswalk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Insert step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+229"/>
        <source>Phase &apos;%1&apos; in column %2: a sequence names phases by their numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgmatrix.cpp" line="+29"/>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlg.cpp" line="+40"/>
        <source>Unknown type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgtables.cpp" line="-89"/>
        <location line="+148"/>
        <source>Signal group %1 not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-146"/>
        <location line="+173"/>
        <source>Sensor %1 not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-171"/>
        <location line="+172"/>
        <source>Detector %1 not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-124"/>
        <location line="+24"/>
        <source>Phase &apos;%1&apos; defined in column %2 not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgsteps.cpp" line="+150"/>
        <source>Phase %1 not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&apos;Min. green&apos; or &apos;Max. green&apos; must be defined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/tiverk2/programtiverk2dlgparameters.cpp" line="+166"/>
        <source>Error at line %1: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Project</name>
    <message>
        <location filename="../plivek/document/containerfile.cpp" line="+56"/>
        <location line="+4"/>
        <source>Error open file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>File has invalid format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 holds no &quot;Controller&quot; element</source>
        <translation>В %1 нет элемента &quot;Controller&quot;</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Error loading controller data: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Error loading network data: no closing tag</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Line %1: the &quot;Network&quot; element that starts here</source>
        <translation>Строка %1: элемент &quot;Network&quot;, который начинается здесь</translation>
    </message>
    <message>
        <location line="+11"/>
        <location line="+9"/>
        <source>Error loading network: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-7"/>
        <source>Line %1, column %2: %3</source>
        <translation>Строка %1, столбец %2: %3</translation>
    </message>
    <message>
        <location filename="../plivek/document/project.cpp" line="+49"/>
        <source>Unknown error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>All supported formats (*.xcnf *.cnf *.txt *.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Universal configuration files (*.xcnf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TIVERK and adapter configuration files (*.cnf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>adapter configuration files (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>TIVERKII configuration files (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>ZU_MOLT configuration files (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+131"/>
        <source>Unsupported version of configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Error reading of configuration: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Error reading of adapter configuration: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Error reading of TIVERKII configuration: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+204"/>
        <source>Not enough memory to load %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+69"/>
        <source>The previous version was not kept: cannot copy it to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+81"/>
        <source>halm58 v.010 files (*.hm58a)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-360"/>
        <location line="+16"/>
        <source>Error reading of ZU_MOLT configuration: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Cannot start the ZU_MOLT editor %1; the configuration is opened here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+115"/>
        <source>Question</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>File was changed. Save?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-212"/>
        <location line="+238"/>
        <location line="+198"/>
        <source>Select file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-182"/>
        <source>File %1 not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>File loading error: unknown type</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProjectPrivate</name>
    <message>
        <location filename="../plivek/document/containerfile.cpp" line="+42"/>
        <source>Error open file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-20"/>
        <location filename="../plivek/document/project.cpp" line="-302"/>
        <source>Error saving configuration: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Error saving network: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Error writing file: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/document/project.cpp" line="-51"/>
        <source>Empty file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+48"/>
        <source>Unknown error on saving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-15"/>
        <location line="+429"/>
        <source>Error saving file: unknown file type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/document/familyconversion.cpp" line="+70"/>
        <source>Conversion</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Conversion of configuration type  may lead to data loss. Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Error saving configuration of adapter: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SGDefaultsDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/sgdefaultsdlg.ui" line="+14"/>
        <source>Defaults fro signal groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>red-amber:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <location line="+32"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-313"/>
        <source>minimum red:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>green blink:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>maximum red:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>amber blink:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>minimum green:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>amber:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>maximum green:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>extended red:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>extended green1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>extended green2:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SgPropertiesDlg</name>
    <message>
        <location filename="../plivek/dialogs/elements/sgpropertiesdlg.ui" line="+6"/>
        <source>Properties of signal group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>traffic light number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Redefine times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>red-amber:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <location line="+2"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-19"/>
        <source>minimum red:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>extended red:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>green blink:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>maximum red:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>extended green1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>amber blink:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>minimum green:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>extended green2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>amber:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>maximum green:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Assigned keys:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Available keys:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Assigned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Lamps count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Burnout control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detector 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detector 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detector 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Detector 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/elements/sgpropertiesdlg.cpp" line="+97"/>
        <source>Group.%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>ID</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SignalPlans</name>
    <message>
        <location filename="../plivek/programs/signalplans.cpp" line="+64"/>
        <source>&quot;%1&quot; is not a fixed-time program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>it has no steps</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SvgExportParametersDlg</name>
    <message>
        <location filename="../plivek/programs/svgexportparametersdlg.ui" line="+14"/>
        <source>Image parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Image size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Size in millimeters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Like on screen</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SynchronizerDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/synchronizerdlg.ui" line="+14"/>
        <source>Parameters of synchronizer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Frequency:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+32"/>
        <location line="+35"/>
        <source>Not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-64"/>
        <source>KHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Time correction:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>sec.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Timezone correction:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>Daylight saving time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeDialog</name>
    <message>
        <location filename="../plivek/framework/timedialog.cpp" line="+103"/>
        <source>Program duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set duration of the program:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>for a predetermined time (horus:minutes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>5 min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>10 min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>30 min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 hour.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>until a predetermined time (horus:minutes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>permanently (until manually canceled)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tiverk2DiagrammDlg</name>
    <message>
        <location filename="../plivek/programs/emulation/tiverk2diagrammdlg.ui" line="+14"/>
        <source>plotlet::Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Refresh diagramm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+20"/>
        <source>from:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>X axis from 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>sync. coordination time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Phases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>detailed times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Generated
configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Emulator
parameters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/emulation/tiverk2diagrammdlg.cpp" line="+173"/>
        <source>Empty data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/emulation/tiverk2diagrammdlgemulation.cpp" line="+139"/>
        <source>The emulator could not load the configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+42"/>
        <source>No signal groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Phase %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>%1
%2 sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/programs/emulation/tiverk2diagrammdlg.cpp" line="+154"/>
        <source>Generated configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Add event from detector</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Add event from sensor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Save as image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Remove selected events</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Change event</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+94"/>
        <source>SVG files (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 files (*.%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Set file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <source>Can&apos;t save %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tiverk2LogDlg</name>
    <message>
        <location filename="../plivek/programs/emulation/tiverk2logdlg.ui" line="+14"/>
        <source>Log of emulator</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TiverkEditTable</name>
    <message>
        <location filename="../plivek/framework/tiverkedittable.cpp" line="+46"/>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy all with titles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VpuDlg</name>
    <message>
        <location filename="../plivek/dialogs/controller/vpudlg.ui" line="+14"/>
        <source>Parameters of RCU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Allowed inactivity:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Interstate variant:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Use accss key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+255"/>
        <source>Button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-250"/>
        <location line="+255"/>
        <source>Phase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-250"/>
        <location line="+255"/>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-250"/>
        <source>Request</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+101"/>
        <source>Enabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-89"/>
        <source>Emergency timeout:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+16"/>
        <location line="+35"/>
        <location line="+63"/>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-95"/>
        <location line="+35"/>
        <source>sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-19"/>
        <source>Stage timeout:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Allowed inactivity, sec:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Permanent indication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Access key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Polarity for circuit &quot;common&quot;:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>negative</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+10"/>
        <source>positive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../plivek/dialogs/controller/vpudlg.cpp" line="+81"/>
        <source>RS485_1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>RS485_2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+99"/>
        <source>no</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+76"/>
        <source>passive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>passive with indication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>with interface tiverk1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>with interface tiverk2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WAppender</name>
    <message>
        <location filename="../plivek/programs/emulation/wappender.cpp" line="+90"/>
        <source>(repeated %1 times)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
