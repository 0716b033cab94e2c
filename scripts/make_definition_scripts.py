#!/usr/bin/env python3
"""Writes the carried definition scripts to definitions/scripts/<id>.txt.

The thirteen parameter scripts share most of their records, and the eight live-data scripts share
one layout, so they are kept here as one base per kind plus each model's differences. The output
is byte-exact: code page 936 (GBK) text, CR LF line ends, one backslash right after the last
record. Run it after changing a model's data and commit the .txt files with it.

    python3 scripts/make_definition_scripts.py [output-dir]
"""

import copy
import os
import sys

CRLF = "\r\n"

# ---------------------------------------------------------------------------------------------
# Parameter records: (addr, pro, pos, sw, name, rangeL, rangeH, show, en, tips)


def P(addr, pro, pos, sw, name, lo, hi, show, en, tips):
    return dict(addr=addr, pro=pro, pos=pos, sw=sw, name=name, lo=lo, hi=hi, show=show, en=en,
                tips=tips)


def bit(byte, b, name, tips, show=1):
    return P(byte, 0, b, "uo", name, 0, 1, show, show, tips)


def byte(addr, name, lo, hi, tips, sw="uo", show=1, en=1):
    return P(addr, 1, 0, sw, name, lo, hi, show, en, tips)


def hidden(addr, name, tips=None, sw="uo", pro=1, pos=0, hi=255):
    return P(addr, pro, pos, sw, name, 0, hi, 0, 0, tips if tips is not None else name)


RESERVED = "保留"


def switch_bits_vor():
    return [
        bit(0, 0, "Boost", "Boost:1 enable,phase current raised for a short time when the throttle is full."),
        bit(0, 1, "Economy", "Economy:1 enable,output limited to save the battery."),
        bit(0, 2, "Rev_HCurr", "Rev_HCurr:1 full phase current when reversing,0 half."),
        bit(0, 3, "Brake H-Pedel", "Brake H-Pedel:1 the controller waits for the throttle to return after braking."),
        bit(0, 4, "Rev Half-Speed", "Rev Half-Speed:1 reverse at half speed.", show=0),
        bit(0, 5, "Joy", "Joy:joystick input.", show=0),
        bit(0, 6, "Reduce Noise", "Reduce Noise:1 smoother commutation with less motor noise."),
        bit(0, 7, "High Speed", "High Speed:high speed motor.", show=0),
        bit(1, 0, "Foot Switch", "Foot Switch:1 the throttle works only while the foot switch is closed."),
        bit(1, 1, "Brake Regen Switch", "Brake Regen Switch:1 regenerate while the brake switch is closed."),
        bit(1, 2, "Three Gears Switch", "Three Gears Switch:1 the gear switch selects three speeds."),
        bit(1, 3, "ABS", "ABS:1 hold the vehicle on a slope when the throttle is released."),
        bit(1, 5, "Startup H-Pedel", "Startup H-Pedel:1 no start while the throttle is pressed at power on."),
        bit(1, 6, "Regenerate Electricity", "Regenerate Electricity:1 regenerate when the throttle is released."),
        bit(1, 4, "Output 12V", "Output 12V:12V output.", show=0),
        bit(1, 7, "Alarm", "Alarm:alarm output.", show=0),
        bit(45, 0, "Smooth", "Smooth:1 soft start for a smoother ride."),
        bit(45, 1, "Two Speed Drive", "Two Speed Drive:1 the gear switch selects two speeds."),
        bit(45, 2, "Inverse Output", "Inverse Output:1 invert the direction of the motor."),
        bit(45, 3, "Phase Auto_Discern ", "Phase Auto_Discern:1 learn the phase and hall order at the next start."),
        bit(45, 4, "Copy Hall", "Copy Hall:1 keep the learnt hall table."),
        bit(45, 5, RESERVED, RESERVED, show=0),
        bit(45, 6, RESERVED, RESERVED, show=0),
        bit(45, 7, RESERVED, RESERVED, show=0),
    ]


def ident_fields():
    return [
        P(64, 2, 7, "a", "Module Name", 0, 0, 1, 0, "Module Name:controller model,read only."),
        P(81, 2, 1, "h", "User Code", 0, 65535, 1, 1, "User Code:four hex digits free for the dealer."),
        P(76, 2, 3, "uo", "Serial Number", 0, 99999999, 1, 0, "Serial Number:read only."),
        P(83, 2, 1, "h", "Software Version", 0, 65535, 1, 0, "Software Version:read only."),
        P(74, 2, 1, "uo", "Controller Volt", 0, 1000, 1, 0, "Controller Volt:rated voltage of the controller,read only."),
    ]


def low_volt(addr):
    return byte(addr, "Low Volt", 18, 200, "Low Volt:battery under-voltage cut off,unit 1V.")


def over_volt(addr):
    return byte(addr, "Over Volt", 18, 200, "Over Volt:battery over-voltage cut off,unit 1V.")


def vehicle_vor():
    return ident_fields() + [
        low_volt(19),
        over_volt(20),
        byte(21, "Accelerate Speed", 0, 10, "Accelerate Speed:0 fastest,10 slowest response to the throttle."),
        byte(2, "TPS Type", 0, 3, "TPS Type:0:0-5V hall;1:0-5K;2:5K-0;3:0-5V with switch."),
        byte(4, "TPS Dead Low", 5, 40, "TPS Dead Low:throttle start dead zone,unit 0.1V."),
        byte(5, "TPS Dead High", 20, 50, "TPS Dead High:throttle full dead zone,unit 0.1V."),
        byte(53, "TPS 1_4V_Low", 0, 255, "TPS 1_4V_Low:low point of the throttle curve."),
        byte(54, "TPS 1_4V_High", 0, 255, "TPS 1_4V_High:high point of the throttle curve."),
        byte(3, "Brake Type", 0, 2, "Brake Type：0:switch;1:0-5V analog;2:5V-0 analog."),
        byte(38, "Brake Dead Low", 5, 40, "Brake Dead Low:brake start dead zone,unit 0.1V."),
        byte(39, "Brake Dead High", 20, 50, "Brake Dead High:brake full dead zone,unit 0.1V."),
        byte(33, "Rev Max Speed", 20, 100, "Rev Max Speed:reverse speed limit,percent of full speed."),
        byte(34, "Forw Max Speed", 20, 100, "Forw Max Speed:forward speed limit,percent of full speed."),
        byte(97, "Phase_A_Zero", 0, 255, "Phase_A_Zero:phase A current zero,set by the zero calibration."),
        byte(98, "Phase_B_Zero", 0, 255, "Phase_B_Zero:phase B current zero,set by the zero calibration."),
        byte(99, "Phase_C_Zero", 0, 255, "Phase_C_Zero:phase C current zero,set by the zero calibration."),
        byte(31, "2-Gear Forw Speed", 20, 100, "2-Gear Forw Speed:forward speed in gear 2,percent."),
        byte(32, "2-Gear Rev Speed", 20, 100, "2-Gear Rev Speed:reverse speed in gear 2,percent."),
    ]


def control_vor():
    return [
        byte(28, "Control Mode", 0, 2, "Control Mode:0:Torque;1:balance;2:Speed."),
        byte(12, "Startup Wait Time", 0, 50, "Startup Wait Time:delay after power on,unit 0.1s."),
        byte(40, "Step Percent", 0, 100, "Step Percent:current step at start,percent."),
        byte(41, "Accel L-Delta", 1, 100, "Accel L-Delta:acceleration at low speed,larger is faster."),
        byte(42, "Decel L-Delta", 1, 100, "Decel L-Delta:deceleration at low speed,larger is faster."),
        byte(43, "Accel H-Delta", 1, 100, "Accel H-Delta:acceleration at high speed,larger is faster."),
        byte(44, "Decel H-Delta", 1, 100, "Decel H-Delta:deceleration at high speed,larger is faster."),
        byte(100, "Bus Current Per", 20, 100, "Bus Current Per:battery current limit,percent of rated."),
        byte(14, "Phase Current Per", 20, 100, "Phase Current Per:phase current limit,percent of rated."),
        byte(15, "Max Regen Curren", 0, 100, "Max Regen Curren:regeneration current limit,percent."),
        byte(16, "TPS Regen Current", 0, 100, "TPS Regen Current:regeneration when the throttle is released,percent."),
        byte(17, "Brake SW Current", 0, 100, "Brake SW Current:regeneration when the brake switch is closed,percent."),
        byte(55, "LVWeak Start Volt", 18, 200, "LVWeak Start Volt:power is reduced below this battery voltage,unit 1V."),
        byte(56, "LVWeak Percent", 0, 100, "LVWeak Percent:power left at low voltage,percent."),
    ]


def hall_records():
    return [byte(a, n, 0, 7, n + ":hall state learnt for this phase pair,1 to 6.")
            for a, n in ((47, "CB Hall"), (48, "AB Hall"), (49, "AC Hall"), (50, "BC Hall"),
                         (51, "BA Hall"), (52, "CA Hall"))]


def temp_sensor():
    return byte(61, "Motor Temp_Sener   ", 0, 3, "Motor Temp Sensor:0:none;1:KTY84;2:KTY83;3:switch.")


def motor_vor():
    return [
        byte(24, "Motor Poles", 1, 64, "Motor Poles:pole pairs of the motor."),
        byte(11, "HALL Angle", 0, 1, "HALL Angle:0:120 degree;1:60 degree."),
        temp_sensor(),
        byte(62, "High Temp Cut", 60, 150, "High Temp Cut:motor temperature that stops the output,unit 1 degree C."),
        byte(63, "High Temp Resume", 50, 140, "High Temp Resume:motor temperature that restores the output,unit 1 degree C."),
        byte(46, "Auto_Discern Loc_V", 0, 255, "Auto_Discern Loc_V:voltage used while learning the phases."),
    ] + hall_records()


def hidden_vor():
    recs = [hidden(a, RESERVED) for a in (13, 22, 23, 25, 26, 27, 29)]
    recs += [
        hidden(30, "调速系数", "调速系数，出厂设定"),
        hidden(35, RESERVED),
        hidden(36, " FRMaxCurrent", "前后退最大电流"),
        hidden(37, RESERVED),
        hidden(72, "特殊版本", "特殊版本号"),
        hidden(73, "电枢电流AD", "电枢电流采样"),
        hidden(80, "电机类型", "电机类型：0 轮毂；1 中置"),
        hidden(6, "M_INT_GAIN", "电流环积分增益"),
        hidden(7, "最大误差系数"),
        hidden(8, "CAL_KP", "速度环比例"),
        hidden(9, "CAL_TI", "速度环积分"),
        hidden(10, RESERVED),
        hidden(18, "负载系数"),
        hidden(57, "C 接收ID", "CAN接收ID", sw="h", pro=2, pos=1, hi=65535),
        hidden(59, "C 发送ID", "CAN发送ID", sw="h", pro=2, pos=1, hi=65535),
        hidden(85, "PCB计算基准"),
        hidden(86, "刷机模式"),
        hidden(87, "PCB切断 ℃"),
        hidden(88, "PCB恢复 ℃"),
        hidden(89, "PCB高温 Str℃"),
        hidden(90, "PCB高温 %"),
        hidden(91, "PCB低温 End℃"),
        hidden(92, "PCB中温 %"),
        hidden(93, "PCB低温 Str℃"),
        hidden(94, "PCB低温 %"),
        hidden(95, "PCB负温 End℃", sw="so"),
        hidden(96, "PCB负温 %"),
        hidden(101, "PCB中温 Str℃"),
        hidden(102, "HL温度基准"),
        hidden(103, "HL高温 End℃"),
        hidden(104, "HL高温 Str℃"),
        hidden(105, "HL高温 %"),
        hidden(106, "HL恢复 ℃"),
        hidden(107, "控制器标志", sw="a"),
        hidden(108, "J 首选地址"),
        hidden(109, "J 地址仲裁能力域"),
        hidden(110, "J 工业组"),
        hidden(111, "J 汽车系统实例域"),
        hidden(112, "J 汽车系统", sw="so"),
        hidden(113, "J 保留域"),
        hidden(114, "J 功能域"),
        hidden(115, "J 功能实例域"),
        hidden(116, "J ECU实例域"),
        hidden(117, "J 制造商代码域", sw="uo", pro=2, pos=1, hi=2047),
        hidden(119, "J ID编号域", sw="uo", pro=2, pos=2, hi=2097151),
        hidden(122, "CAN标志位", sw="a"),
    ]
    recs += [hidden(a, RESERVED) for a in (123, 124, 125, 126)]
    return recs


def end_anchor():
    return hidden(127, RESERVED)


# Helpers for the siblings ------------------------------------------------------------------------

def find(recs, addr, name=None):
    for r in recs:
        if r["addr"] == addr and r["pro"] != 0 and (name is None or r["name"] == name):
            return r
    raise KeyError(addr)


def take(recs, addr):
    r = find(recs, addr)
    recs.remove(r)
    return r


def split_word(recs, addr, high_name, low_name):
    """Describes a two-byte hidden field as two one-byte records."""
    i = recs.index(find(recs, addr))
    old = recs[i]
    recs[i:i + 1] = [hidden(addr, high_name, old["tips"]), hidden(addr + 1, low_name, old["tips"])]


def merge_bytes(recs, first, count, name):
    """Describes `count` one-byte hidden records from `first` as one multi-byte record."""
    i = recs.index(find(recs, first))
    for a in range(first, first + count):
        recs.remove(find(recs, a))
    recs.insert(i, hidden(first, name, pro=2, pos=count - 1, sw="h", hi=0x7FFFFFFF))


def shown(addr, name, lo, hi, tips):
    return byte(addr, name, lo, hi, tips)


def edit(recs, addr, **changes):
    find(recs, addr).update(changes)


class ParamScript:
    def __init__(self, sid, switches, vehicle, control, motor, hidden_recs, trailer=""):
        self.sid = sid
        self.groups = [switches, vehicle, control, motor, hidden_recs, [end_anchor()]]
        self.trailer = trailer


def vor_parts():
    return (switch_bits_vor(), vehicle_vor(), control_vor(), motor_vor(), hidden_vor())


def script_145():
    return ParamScript(145, *vor_parts())


def script_182():  # TAQ: a 48 V scooter range; stronger currents, softer throttle
    s, v, c, m, h = vor_parts()
    edit(v, 21, hi=15, tips="Accelerate Speed:0 fastest,15 slowest response to the throttle.")
    edit(c, 14, lo=30, tips="Phase Current Per:phase current limit,percent of rated,30 at least.")
    edit(m, 24, hi=32)
    edit(h, 30, name="速度系数", tips="速度系数")
    return ParamScript(182, s, v, c, m, h, trailer=CRLF * 3)


def script_180():  # MOZ: motorcycle range; reverse limited harder
    s, v, c, m, h = vor_parts()
    edit(v, 33, hi=50, tips="Rev Max Speed:reverse speed limit,percent of full speed,50 at most.")
    edit(v, 3, tips="Brake Type：0:switch;1:0-5V analog;2:5V-0 analog，analog brake regenerates in proportion.")
    edit(c, 41, name="Accel Low-Delta")
    edit(c, 42, name="Decel Low-Delta")
    edit(m, 62, hi=160)
    return ParamScript(180, s, v, c, m, h)


def cruise_or(recs_hidden, addr, name, lo, hi, tips):
    take(recs_hidden, addr)
    return shown(addr, name, lo, hi, tips)


def script_185():  # NIR
    s, v, c, m, h = vor_parts()
    v.append(cruise_or(h, 35, "Cruise Speed", 0, 100, "Cruise Speed:speed held by cruise,percent,0 off."))
    split_word(h, 57, "C 接收ID高", "C 接收ID低")
    edit(m, 11, hi=3, tips="HALL Angle:0:120 degree;1:60 degree;2:240 degree;3:300 degree.")
    return ParamScript(185, s, v, c, m, h, trailer=CRLF * 2)


def script_4():  # FOY
    s, v, c, m, h = vor_parts()
    v.append(cruise_or(h, 37, "Park Delay Time", 0, 60, "Park Delay Time:seconds before the parking brake engages,0 off."))
    split_word(h, 59, "C 发送ID高", "C 发送ID低")
    edit(c, 100, lo=10)
    s[4].update(name="Reverse Beep", show=1, en=1, tips="Reverse Beep:1 sound the buzzer while reversing.")
    return ParamScript(4, s, v, c, m, h)


def script_172():  # JUT, HEW
    s, v, c, m, h = vor_parts()
    v.append(cruise_or(h, 35, "Cruise Speed", 0, 100, "Cruise Speed:speed held by cruise,percent,0 off."))
    split_word(h, 117, "J 制造商代码高", "J 制造商代码低")
    edit(v, 2, hi=2, tips="TPS Type:0:0-5V hall;1:0-5K;2:5K-0.")
    return ParamScript(172, s, v, c, m, h, trailer=CRLF)


def script_190():  # QOG
    s, v, c, m, h = vor_parts()
    v.append(cruise_or(h, 30, "Speed Coefficient", 1, 200, "Speed Coefficient:scales the speed reading,100 is 1.0."))
    split_word(h, 57, "C 接收ID高", "C 接收ID低")
    edit(c, 28, hi=1, tips="Control Mode:0:Torque;1:Speed.")
    return ParamScript(190, s, v, c, m, h)


def script_167():  # WUM: no phase zeros on the Vehicle page
    s, v, c, m, h = vor_parts()
    for a, n in ((97, "A相零点"), (98, "B相零点"), (99, "C相零点")):
        take(v, a)
        h.append(hidden(a, n, n + "，校准写入"))
    merge_bytes(h, 123, 4, RESERVED)
    edit(m, 62, lo=70, hi=130)
    return ParamScript(167, s, v, c, m, h)


def script_194():  # DAJ, ZUB: single speed, no user code
    s, v, c, m, h = vor_parts()
    for a, n in ((31, "二档前进速度"), (32, "二档后退速度")):
        take(v, a)
        h.append(hidden(a, n))
    take(v, 81)
    h.append(hidden(81, "用户代码", sw="h", pro=2, pos=1, hi=65535))
    merge_bytes(h, 123, 4, RESERVED)
    s[17].update(name="Gear Switch", tips="Gear Switch:1 the gear switch limits the speed to the 2-Gear values.")
    return ParamScript(194, s, v, c, m, h, trailer=CRLF * 4)


def script_197():  # JUT special version: Boost and Economy as gears, three speed drive
    s = switch_bits_vor()
    by_name = {r["name"]: r for r in s if r["name"] != RESERVED}
    order = ["Boost", "Economy", "Rev_HCurr", "Brake H-Pedel", "Rev Half-Speed", "Joy",
             "Reduce Noise", "High Speed", "Foot Switch", "Three Gears Switch",
             "Brake Regen Switch", "ABS", "Startup H-Pedel", "Regenerate Electricity",
             "Output 12V", "Alarm", "Smooth", "Two Speed Drive", "Inverse Output",
             "Phase Auto_Discern "]
    s2 = [by_name[n] for n in order]
    s2 += [bit(45, 5, "Three Speed Drive", "Three Speed Drive:1 the gear switch selects three speeds."),
           by_name["Copy Hall"],
           bit(45, 6, RESERVED, RESERVED, show=0), bit(45, 7, RESERVED, RESERVED, show=0)]
    for r in s2[:22]:
        r["show"] = r["en"] = 1
    by_name["Joy"].update(name="Cruise", tips="Cruise:1 hold the speed when the cruise button is pressed.")
    by_name["Output 12V"]["tips"] = "Output 12V:1 switch on the 12V output."
    by_name["Alarm"]["tips"] = "Alarm:1 enable the anti-theft alarm output."
    by_name["Rev Half-Speed"]["tips"] = "Rev Half-Speed:1 reverse at half speed."
    by_name["High Speed"]["tips"] = "High Speed:1 high speed motor,field weakening allowed."
    by_name["Boost"]["tips"] = "Boost:1 enable the boost gear.Works only when Brake Type is 0."
    by_name["Economy"]["tips"] = "Economy:1 enable the economy gear.Works only when Brake Type is 0."

    _, v, c, m, h = vor_parts()
    i = v.index(find(v, 83)) + 1
    v.insert(i, P(72, 1, 0, "uo", "Special Version", 0, 255, 1, 0, "Special Version:variant of the controller,read only."))
    v.append(cruise_or(h, 35, "Cruise Speed", 0, 100, "Cruise Speed:speed held by cruise,percent,0 off."))
    edit(v, 3, tips="Brake Type：0:switch;1:0-5V analog;2:5V-0 analog.Boost and Economy work only when Brake Type is 0.")
    split_word(h, 57, "C 接收ID高", "C 接收ID低")
    split_word(h, 59, "C 发送ID高", "C 发送ID低")
    split_word(h, 117, "J 制造商代码高", "J 制造商代码低")
    i = h.index(find(h, 119))
    h[i:i + 1] = [hidden(119, "J ID编号高"), hidden(120, "J ID编号中"), hidden(121, "J ID编号低")]
    return ParamScript(197, s2, v, c, m, h, trailer=CRLF * 2)


def script_160():  # PUV before 0x0503: the Motor page opens at the temperature sensor
    s, v, c, m, h = vor_parts()
    edit(c, 17, name="BRK_SW Regen Percent",
         tips="BRK_SW Regen Percent:regeneration when the brake switch is closed,percent.")
    poles, angle = m[0], m[1]
    m = m[2:]
    c += [poles, angle,
          cruise_or(h, 13, "Weak Magnetic Percent", 0, 100, "Weak Magnetic Percent:field weakening at top speed,percent."),
          cruise_or(h, 29, "Regen Start Speed", 0, 100, "Regen Start Speed:regeneration starts above this speed,percent.")]
    split_word(h, 57, "C 接收ID高", "C 接收ID低")
    split_word(h, 59, "C 发送ID高", "C 发送ID低")
    split_word(h, 117, "J 制造商代码高", "J 制造商代码低")
    return ParamScript(160, s, v, c, m, h)


def layout_b():
    """The newer layout of scripts 152 and 202: supply thresholds at 16 and 17, Control Mode at
    43, the hall galvanometer zero opening the Motor page."""
    s = switch_bits_vor()
    v = ident_fields() + [
        low_volt(16),
        over_volt(17),
        byte(2, "TPS Type", 0, 3, "TPS Type:0:0-5V hall;1:0-5K;2:5K-0;3:0-5V with switch."),
        byte(4, "TPS Dead Low", 5, 40, "TPS Dead Low:throttle start dead zone,unit 0.1V."),
        byte(5, "TPS Dead High", 20, 50, "TPS Dead High:throttle full dead zone,unit 0.1V."),
        byte(3, "Brake Type", 0, 2, "Brake Type：0:switch;1:0-5V analog;2:5V-0 analog."),
        byte(38, "Brake Dead Low", 5, 40, "Brake Dead Low:brake start dead zone,unit 0.1V."),
        byte(39, "Brake Dead High", 20, 50, "Brake Dead High:brake full dead zone,unit 0.1V."),
        byte(33, "Rev Max Speed", 20, 100, "Rev Max Speed:reverse speed limit,percent of full speed."),
        byte(34, "Forw Max Speed", 20, 100, "Forw Max Speed:forward speed limit,percent of full speed."),
        byte(97, "Phase_A_Zero", 0, 255, "Phase_A_Zero:phase A current zero,set by the zero calibration."),
        byte(98, "Phase_B_Zero", 0, 255, "Phase_B_Zero:phase B current zero,set by the zero calibration."),
        byte(99, "Phase_C_Zero", 0, 255, "Phase_C_Zero:phase C current zero,set by the zero calibration."),
    ]
    c = [
        byte(43, "Control Mode", 0, 2, "Control Mode:0:Torque;1:balance;2:Speed."),
        byte(21, "Accelerate Speed", 0, 10, "Accelerate Speed:0 fastest,10 slowest response to the throttle."),
        byte(12, "Startup Wait Time", 0, 50, "Startup Wait Time:delay after power on,unit 0.1s."),
        byte(40, "Step Percent", 0, 100, "Step Percent:current step at start,percent."),
        byte(41, "Accel L-Delta", 1, 100, "Accel L-Delta:acceleration at low speed,larger is faster."),
        byte(42, "Decel L-Delta", 1, 100, "Decel L-Delta:deceleration at low speed,larger is faster."),
        byte(28, "Accel H-Delta", 1, 100, "Accel H-Delta:acceleration at high speed,larger is faster."),
        byte(44, "Decel H-Delta", 1, 100, "Decel H-Delta:deceleration at high speed,larger is faster."),
        byte(100, "Bus Current Per", 20, 100, "Bus Current Per:battery current limit,percent of rated."),
        byte(14, "Phase Current Per", 20, 100, "Phase Current Per:phase current limit,percent of rated."),
        byte(15, "Max Regen Curren", 0, 100, "Max Regen Curren:regeneration current limit,percent."),
        byte(53, "TPS Regen Current", 0, 100, "TPS Regen Current:regeneration when the throttle is released,percent."),
        byte(54, "Brake SW Current", 0, 100, "Brake SW Current:regeneration when the brake switch is closed,percent."),
        byte(55, "LVWeak Start Volt", 18, 200, "LVWeak Start Volt:power is reduced below this battery voltage,unit 1V."),
        byte(19, "LVWeak percent", 0, 100, "LVWeak percent:power left at low voltage,percent."),
        byte(56, "Regen Start Speed", 0, 100, "Regen Start Speed:regeneration starts above this speed,percent."),
        byte(36, "FR Max Current", 20, 100, "FR Max Current:current limit when changing direction,percent."),
        byte(29, "Weak Magnetic Percent", 0, 100, "Weak Magnetic Percent:field weakening at top speed,percent."),
        byte(13, "Boost Time", 0, 100, "Boost Time:how long boost lasts,unit 0.1s."),
        byte(30, "Speed Coefficient", 1, 200, "Speed Coefficient:scales the speed reading,100 is 1.0."),
    ]
    m = [
        byte(27, "Hall Galvanometer Zero", 0, 255, "Hall Galvanometer Zero:zero of the hall current sensor."),
        byte(24, "Motor Poles", 1, 64, "Motor Poles:pole pairs of the motor."),
        byte(11, "HALL Angle", 0, 1, "HALL Angle:0:120 degree;1:60 degree."),
        temp_sensor(),
        byte(62, "High Temp Cut", 60, 150, "High Temp Cut:motor temperature that stops the output,unit 1 degree C."),
        byte(63, "High Temp Resume", 50, 140, "High Temp Resume:motor temperature that restores the output,unit 1 degree C."),
        byte(46, "Auto_Discern Loc_V", 0, 255, "Auto_Discern Loc_V:voltage used while learning the phases."),
    ] + hall_records()
    h = [
        hidden(20, RESERVED),
        hidden(22, RESERVED, sw="h", pro=2, pos=1, hi=65535),
        hidden(25, RESERVED, sw="h", pro=2, pos=1, hi=65535),
        hidden(31, "二档前进速度"),
        hidden(32, "二档后退速度"),
        hidden(35, RESERVED),
        hidden(37, RESERVED),
    ]
    # From the special-version byte on, the hidden tail is that of the older layout.
    tail = hidden_vor()
    h += tail[tail.index(find(tail, 72)):]
    return s, v, c, m, h


def script_152():  # PUV from 0x0503
    return ParamScript(152, *layout_b(), trailer=CRLF * 2)


def script_202():  # GAW
    s, v, c, m, h = layout_b()
    m[0].update(name="Hall Galvano Zero", tips="Hall Galvano Zero:zero of the hall current sensor.")
    for a, n, t in ((31, "2-Gear Forw Speed", "2-Gear Forw Speed:forward speed in gear 2,percent."),
                    (32, "2-Gear Rev Speed", "2-Gear Rev Speed:reverse speed in gear 2,percent."),
                    (35, "Cruise Speed", "Cruise Speed:speed held by cruise,percent,0 off.")):
        v.append(cruise_or(h, a, n, 0 if a == 35 else 20, 100, t))
    i = h.index(find(h, 22))
    h[i:i + 1] = [hidden(22, RESERVED), hidden(23, RESERVED)]
    i = h.index(find(h, 25))
    h[i:i + 1] = [hidden(25, RESERVED), hidden(26, RESERVED)]
    split_word(h, 57, "C 接收ID高", "C 接收ID低")
    return ParamScript(202, s, v, c, m, h)


PARAM_SCRIPTS = [script_145, script_182, script_180, script_202, script_185, script_4,
                 script_197, script_172, script_190, script_160, script_152, script_167,
                 script_194]


def param_line(r):
    return ("[%03d]#\tpro=%d#\tpos=%d#\tsw=%s#\tname=%s#\trangeL=%d#\trangeH=%d#\tshow=%d#\ten=%d#"
            "\t\ttips=%s#" % (r["addr"], r["pro"], r["pos"], r["sw"], r["name"], r["lo"], r["hi"],
                              r["show"], r["en"], r["tips"]) + CRLF)


def render_param(script):
    blocks = ["".join(param_line(r) for r in group) for group in script.groups if group]
    return CRLF.join(blocks) + "\\" + script.trailer


# ---------------------------------------------------------------------------------------------
# Live-data records: (addr, pro, pos, en, sw, name, min, max, tips)


def L(addr, name, en=0, lo=0, hi=255, tips=None, sw="uo", two=False):
    return dict(addr=addr, pro=2 if two else 1, pos=1 if two else 0, en=en, sw=sw, name=name,
                lo=lo, hi=hi, tips=tips if tips is not None else name)


def live_vor():
    items = [
        L(0, "Break_AD", 1, tips="Brake AD,released about 0.8V"),
        L(1, "TPS_AD", 1, tips="Throttle AD,released about 0.8V"),
        L(2, "SP_AD", tips="Speed limit AD"),
        L(3, "Power_AD", tips="Power AD"),
        L(4, "VS_AD", tips="Sensor supply AD"),
        L(5, "B+_AD", tips="Battery AD"),
        L(6, "Temp_AD", tips="Controller temperature AD"),
        L(7, "IA_AD", tips="Phase A current AD,zero about 128"),
        L(8, "IB_AD", tips="Phase B current AD,zero about 128"),
        L(9, "IC_AD", tips="Phase C current AD,zero about 128"),
        L(10, "VA_AD", tips="Phase A voltage AD"),
        L(11, "VB_AD", tips="Phase B voltage AD"),
        L(12, "VC_AD", tips="Phase C voltage AD"),
        L(13, "HTemp_AD", tips="High side temperature AD"),
        L(14, "V+_AD", hi=300, tips="V+ AD,Range 90~150"),
        L(15, "LTemp_AD", tips="Low side temperature AD"),
        L(16, "PWR Volt", tips="Power supply voltage,unit 1V"),
        L(17, "B+  Volt", 1, tips="Battery voltage,unit 1V"),
        L(18, "VA  Volt", tips="Phase A voltage,unit 1V"),
        L(19, "VB  Volt", tips="Phase B voltage,unit 1V"),
        L(20, "VC  Volt", tips="Phase C voltage,unit 1V"),
        L(21, "Duty", 1, hi=100, tips="PWM duty,percent"),
        L(22, "V+  Volt", tips="V+ voltage,unit 0.1V"),
        L(23, "High Temp", lo=-40, hi=150, sw="so", tips="High side temperature,unit 1 degree C"),
        L(24, "Low Temp", lo=-40, hi=150, sw="so", tips="Low side temperature,unit 1 degree C"),
        L(25, "Motor Temp", 1, lo=-40, hi=200, sw="so", tips="Motor temperature,unit 1 degree C"),
        L(26, "Break Swith", 1, hi=1, tips="Brake switch,1 closed"),
        L(27, "Reverse Swith", 1, hi=1, tips="Reverse switch,1 closed"),
        L(28, "Foot Swith", 1, hi=1, tips="Foot switch,1 closed"),
        L(29, "SC_Level", 1, hi=1, tips="Hall C level"),
        L(30, "SB_Level", 1, hi=1, tips="Hall B level"),
        L(31, "SA_Level", 1, hi=1, tips="Hall A level"),
        L(32, "Fault", 1, hi=65535, sw="h", two=True, tips="Fault word,one bit per fault"),
        L(34, "Motor Speed", 1, hi=10000, two=True, tips="Motor speed,unit rpm"),
        L(36, "PCB Temp", lo=-40, hi=150, sw="so", tips="Board temperature,unit 1 degree C"),
        L(37, "Forward Swith", 1, hi=1, tips="Forward switch,1 closed"),
        L(38, "HFSP Swith", 1, hi=1, tips="High speed switch,1 closed"),
    ]
    items += [L(a, "Reserved", tips="Reserved") for a in range(39, 45)]
    return items


FAULTS_VOR = ["Identify Err", "Over Voltage", "Low Voltage", "Temp Warn", "Blocked Err", "V+ Err",
              "Over Temp", "High Pedel", "Reset Frequently Err", "Reset Err", "Pedel Err",
              "Change Direction Err", "Generation OverVolt", "Hall Err", "Motor OverTemp",
              "Reserved"]


class LiveScript:
    def __init__(self, sid, items, faults, broken_039=True, trailer=""):
        self.sid, self.items, self.faults = sid, items, faults
        self.broken_039, self.trailer = broken_039, trailer


def item(items, addr):
    return next(i for i in items if i["addr"] == addr)


def live_149():
    return LiveScript(149, live_vor(), list(FAULTS_VOR), trailer=CRLF * 2)


def live_157():  # PUV, GAW
    items = live_vor()
    item(items, 16)["en"] = 1
    item(items, 38)["name"] = "Boost Swith"
    faults = list(FAULTS_VOR)
    faults[0], faults[13], faults[15] = "Hall Identify Err", "Hall Sensor Err", "Over Current"
    return LiveScript(157, items, faults, broken_039=False)


def live_165():  # QOG
    items = live_vor()
    item(items, 36)["en"] = 1
    return LiveScript(165, items, list(FAULTS_VOR))


def live_169():  # WUM
    items = live_vor()
    item(items, 38)["en"] = 0
    item(items, 26)["name"] = "Brake Swith"
    return LiveScript(169, items, list(FAULTS_VOR), trailer=CRLF * 3)


def live_187():  # NIR
    items = live_vor()
    item(items, 22)["en"] = 1
    item(items, 36)["en"] = 1
    return LiveScript(187, items, list(FAULTS_VOR))


def live_192():  # TAQ, MOZ
    items = live_vor()
    item(items, 38)["name"] = "Boost Swith"
    item(items, 16)["en"] = 1
    return LiveScript(192, items, list(FAULTS_VOR))


def live_199():  # JUT special
    items = live_vor()
    item(items, 38)["name"] = "Boost Swith"
    item(items, 28)["name"] = "Gear Swith"
    item(items, 36)["en"] = 1
    return LiveScript(199, items, list(FAULTS_VOR), trailer=CRLF)


def live_205():  # FOY
    items = live_vor()
    item(items, 0)["en"] = 0
    item(items, 36)["en"] = 1
    item(items, 24)["en"] = 1
    return LiveScript(205, items, list(FAULTS_VOR))


LIVE_SCRIPTS = [live_149, live_157, live_165, live_169, live_187, live_192, live_199, live_205]


def live_line(r, broken_039):
    tips = ("tipsReserved#" if broken_039 and r["addr"] == 39 else "tips=%s#" % r["tips"])
    return ("[%03d]#\tpro=%d#\tpos=%d#\ten=%d# sw=%s#\tname=%s#\tmin=%d#\tmax=%d#\tshow=0#"
            "\trgb=7F7F7F#\t%s" % (r["addr"], r["pro"], r["pos"], r["en"], r["sw"], r["name"],
                                   r["lo"], r["hi"], tips) + CRLF)


def render_live(script):
    dat = "[Dat]" + CRLF + "".join(live_line(r, script.broken_039) for r in script.items)
    err = "[Err]" + CRLF + "".join("[%03d]#\tname=%s#" % (n, name) + CRLF
                                   for n, name in enumerate(script.faults))
    return dat + CRLF + err + "\\" + script.trailer


# ---------------------------------------------------------------------------------------------


def encode(text):
    data = text.encode("gbk")
    # A "[" or "\" as the second byte of a two-byte character would break the record.
    i = 0
    while i < len(data):
        if data[i] >= 0x81:
            if data[i + 1] in (0x5B, 0x5C):
                raise ValueError("unsafe GBK character near %r" % data[max(0, i - 10):i + 2])
            i += 2
        else:
            i += 1
    return data


def check_values(script_text):
    for line in script_text.split(CRLF):
        if line.startswith("["):
            assert line.count("[") == 1 and "\\" not in line, line
            fields = [f for f in line.split("#")[1:] if f.strip()]
            for f in fields:
                assert f.count("=") <= 1, line


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "definitions", "scripts")
    os.makedirs(out, exist_ok=True)
    scripts = [(f().sid, render_param(f())) for f in PARAM_SCRIPTS]
    scripts += [(f().sid, render_live(f())) for f in LIVE_SCRIPTS]
    for sid, text in scripts:
        check_values(text.split("\\")[0])
        with open(os.path.join(out, "%d.txt" % sid), "wb") as f:
            f.write(encode(text))


if __name__ == "__main__":
    main()
