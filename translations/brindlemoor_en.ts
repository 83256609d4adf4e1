<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>HistoryTexts</name>
    <message numerus="yes">
        <source>%1, reached on %n day(s)</source>
        <translation>
            <numerusform>%1, reached on %n day</numerusform>
            <numerusform>%1, reached on %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 a day, %3 in all; limit %4, reached on %n day(s)</source>
        <translation>
            <numerusform>%1: %2 a day, %3 in all; limit %4, reached on %n day</numerusform>
            <numerusform>%1: %2 a day, %3 in all; limit %4, reached on %n days</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReflectionEngine</name>
    <message numerus="yes">
        <source>%n day(s)</source>
        <extracomment>Fills the %1 of &quot;Breached on %1 in the past 14 days (%2).&quot;</extracomment>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n total breach-hour(s)</source>
        <extracomment>Fills the %2 of &quot;Breached on %1 in the past 14 days (%2).&quot;</extracomment>
        <translation>
            <numerusform>%n total breach-hour</numerusform>
            <numerusform>%n total breach-hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n fewer breach-hour(s) this week</source>
        <translation>
            <numerusform>%n fewer breach-hour this week</numerusform>
            <numerusform>%n fewer breach-hours this week</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more breach-hour(s) this week</source>
        <translation>
            <numerusform>%n more breach-hour this week</numerusform>
            <numerusform>%n more breach-hours this week</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>brindlemoor::BreakOverlayView</name>
    <message numerus="yes">
        <source>Extend for %n min</source>
        <translation>
            <numerusform>Extend for %n min</numerusform>
            <numerusform>Extend for %n min</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>brindlemoor::PreferencesView</name>
    <message numerus="yes">
        <source>%n app(s) added</source>
        <translation>
            <numerusform>%n app added</numerusform>
            <numerusform>%n apps added</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>day(s)</source>
        <extracomment>After the field with the number of days the history keeps: &quot;Keep history for [90] days&quot;.</extracomment>
        <translation>
            <numerusform>day</numerusform>
            <numerusform>days</numerusform>
        </translation>
    </message>
</context>
</TS>
