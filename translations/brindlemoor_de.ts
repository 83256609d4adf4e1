<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>DurationText</name>
    <message>
        <source>%1s</source>
        <translation>%1&#xa0;s</translation>
    </message>
    <message>
        <source>%1m</source>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <source>%1h</source>
        <translation>%1&#xa0;h</translation>
    </message>
    <message>
        <source>%1h %2m</source>
        <translation>%1&#xa0;h %2&#xa0;min</translation>
    </message>
    <message>
        <source>0m</source>
        <translation>0&#xa0;min</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>noch %1</translation>
    </message>
    <message>
        <source>0s</source>
        <translation>0&#xa0;s</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1&#xa0;s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1&#xa0;h</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1&#xa0;h %2&#xa0;min</translation>
    </message>
</context>
<context>
    <name>HistoryTexts</name>
    <message>
        <source>ddd d MMM</source>
        <extracomment>How the history names a day; a QDate format, the weekday and the month short.</extracomment>
        <translation>ddd, d. MMM</translation>
    </message>
    <message>
        <source>Week of %1</source>
        <translation>Woche ab %1</translation>
    </message>
    <message>
        <source>d MMM</source>
        <extracomment>The first day of a week in the history; a QDate format.</extracomment>
        <translation>d. MMM</translation>
    </message>
    <message>
        <source>Nothing recorded</source>
        <translation>Nichts aufgezeichnet</translation>
    </message>
    <message>
        <source>%1 a day, %2 in all</source>
        <translation>%1 am Tag, %2 insgesamt</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>Kein Limit</translation>
    </message>
    <message>
        <source>%1, within the limit</source>
        <translation>%1, im Limit</translation>
    </message>
    <message>
        <source>%1, over the limit</source>
        <translation>%1, über dem Limit</translation>
    </message>
    <message numerus="yes">
        <source>%1, reached on %n day(s)</source>
        <translation>
            <numerusform>%1, an %n Tag erreicht</numerusform>
            <numerusform>%1, an %n Tagen erreicht</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: nothing recorded, Brindlemoor was not running</source>
        <translation>%1: nichts aufgezeichnet, Brindlemoor lief nicht</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2 of %3, over the limit</source>
        <translation>%1: %2 von %3, über dem Limit</translation>
    </message>
    <message>
        <source>%1: %2 of %3, within the limit</source>
        <translation>%1: %2 von %3, im Limit</translation>
    </message>
    <message>
        <source>%1: %2 a day, %3 in all</source>
        <translation>%1: %2 am Tag, %3 insgesamt</translation>
    </message>
    <message>
        <source>%1: %2 a day, %3 in all; limit %4, not reached</source>
        <translation>%1: %2 am Tag, %3 insgesamt; Limit %4, nicht erreicht</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 a day, %3 in all; limit %4, reached on %n day(s)</source>
        <translation>
            <numerusform>%1: %2 am Tag, %3 insgesamt; Limit %4, an %n Tag erreicht</numerusform>
            <numerusform>%1: %2 am Tag, %3 insgesamt; Limit %4, an %n Tagen erreicht</numerusform>
        </translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>Time used</source>
        <translation>Genutzte Zeit</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Daily average %1</source>
        <translation>Tagesdurchschnitt %1</translation>
    </message>
    <message>
        <source>Weekly average %1</source>
        <translation>Wochendurchschnitt %1</translation>
    </message>
</context>
<context>
    <name>LimitProgress</name>
    <message>
        <source>%1 used, no limit</source>
        <translation>%1 genutzt, kein Limit</translation>
    </message>
    <message>
        <source>%1 used of %2</source>
        <translation>%1 von %2 genutzt</translation>
    </message>
    <message>
        <source>%1, limit reached</source>
        <translation>%1, Limit erreicht</translation>
    </message>
    <message>
        <source>%1, near the limit</source>
        <translation>%1, kurz vor dem Limit</translation>
    </message>
</context>
<context>
    <name>ReflectionEngine</name>
    <message>
        <source>yesterday</source>
        <translation>gestern</translation>
    </message>
    <message>
        <source>today</source>
        <translation>heute</translation>
    </message>
    <message>
        <source>%1% of daily limit used</source>
        <translation>%1&#xa0;% des Tageslimits genutzt</translation>
    </message>
    <message>
        <source>Daily limit reached</source>
        <translation>Tageslimit erreicht</translation>
    </message>
    <message>
        <source>You&apos;ve used your full daily allocation. Rest intentionally — it counts too.</source>
        <translation>Du hast deine Zeit für heute ausgeschöpft. Gönn dir eine bewusste Pause – auch sie zählt.</translation>
    </message>
    <message>
        <source>You&apos;re approaching your daily screen time. A good time to start wrapping up.</source>
        <translation>Deine tägliche Bildschirmzeit ist bald erreicht. Ein guter Moment, langsam zum Ende zu kommen.</translation>
    </message>
    <message>
        <source>You&apos;re within your daily limit. Good pace.</source>
        <translation>Du liegst im Rahmen deines Tageslimits. Gutes Tempo.</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <extracomment>Fills the %1 of &quot;Breached on %1 in the past 14 days (%2).&quot;</extracomment>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n total breach-hour(s)</source>
        <extracomment>Fills the %2 of &quot;Breached on %1 in the past 14 days (%2).&quot;</extracomment>
        <translation>
            <numerusform>insgesamt %n Stunde über dem Limit</numerusform>
            <numerusform>insgesamt %n Stunden über dem Limit</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 pushes your limits most</source>
        <translation>%1 reizt deine Limits am meisten aus</translation>
    </message>
    <message>
        <source>Breached on %1 in the past 14 days (%2). Consider a shorter limit or a pre-session timer.</source>
        <translation>In den letzten 14 Tagen an %1 überschritten (%2). Vielleicht helfen ein kürzeres Limit oder ein Timer vor dem Start.</translation>
    </message>
    <message numerus="yes">
        <source>%n fewer breach-hour(s) this week</source>
        <translation>
            <numerusform>Diese Woche %n Stunde weniger über dem Limit</numerusform>
            <numerusform>Diese Woche %n Stunden weniger über dem Limit</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 this week vs %2 last week. Your limits are starting to stick.</source>
        <translation>Diese Woche %1, letzte Woche %2. Deine Limits zeigen Wirkung.</translation>
    </message>
    <message numerus="yes">
        <source>%n more breach-hour(s) this week</source>
        <translation>
            <numerusform>Diese Woche %n Stunde mehr über dem Limit</numerusform>
            <numerusform>Diese Woche %n Stunden mehr über dem Limit</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 this week vs %2 last week. Awareness starts with noticing the pattern.</source>
        <translation>Diese Woche %1, letzte Woche %2. Achtsamkeit beginnt damit, das Muster zu bemerken.</translation>
    </message>
    <message>
        <source>Most breaches happen around %1</source>
        <translation>Die meisten Überschreitungen gibt es gegen %1</translation>
    </message>
    <message>
        <source>Your limits get pushed most at this time of day. A short break before %1 might help you reset.</source>
        <translation>Zu dieser Tageszeit werden deine Limits am häufigsten ausgereizt. Eine kurze Pause vor %1 kann dir helfen, neu anzusetzen.</translation>
    </message>
    <message>
        <source>Last clean day: %1</source>
        <translation>Letzter Tag ohne Überschreitung: %1</translation>
    </message>
    <message>
        <source>No limits breached that day. What made it different? More breaks, less context-switching, or a focused block?</source>
        <translation>An diesem Tag blieb jedes Limit unberührt. Was war anders? Mehr Pausen, weniger Hin- und Herspringen oder eine konzentrierte Arbeitsphase?</translation>
    </message>
    <message>
        <source>%1% clean days this week</source>
        <translation>Diese Woche %1&#xa0;% Tage ohne Überschreitung</translation>
    </message>
    <message>
        <source>More than half your days this week had no breaches. Awareness is building.</source>
        <translation>Diese Woche blieb mehr als die Hälfte deiner Tage ohne Überschreitung. Deine Achtsamkeit wächst.</translation>
    </message>
    <message>
        <source>Building your usage picture</source>
        <translation>Dein Nutzungsbild entsteht</translation>
    </message>
    <message>
        <source>Insights appear here as patterns emerge. Use Brindlemoor for a couple of days and check back.</source>
        <translation>Einblicke erscheinen hier, sobald sich Muster zeigen. Nutze Brindlemoor ein paar Tage und schau dann wieder vorbei.</translation>
    </message>
</context>
<context>
    <name>StatusText</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Monitoring paused</source>
        <translation>Erfassung pausiert</translation>
    </message>
    <message>
        <source>Today %1</source>
        <translation>Heute %1</translation>
    </message>
</context>
<context>
    <name>brindlemoor::AppUsageRowView</name>
    <message>
        <source>Reset %1</source>
        <translation>%1 zurücksetzen</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>brindlemoor::ApplicationChooser</name>
    <message>
        <source>Choose File…</source>
        <translation>Datei auswählen …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add Application</source>
        <translation>Anwendung hinzufügen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Choose an Application Entry</source>
        <translation>Anwendungseintrag auswählen</translation>
    </message>
    <message>
        <source>Application entries (*.desktop)</source>
        <translation>Anwendungseinträge (*.desktop)</translation>
    </message>
    <message>
        <source>Search applications</source>
        <translation>Anwendungen durchsuchen</translation>
    </message>
    <message>
        <source>Installed applications</source>
        <translation>Installierte Anwendungen</translation>
    </message>
    <message>
        <source>Add the chosen application</source>
        <translation>Die gewählte Anwendung hinzufügen</translation>
    </message>
    <message>
        <source>Choose an application&apos;s desktop file</source>
        <translation>Die Desktop-Datei einer Anwendung wählen</translation>
    </message>
</context>
<context>
    <name>brindlemoor::BreakOverlayView</name>
    <message>
        <source>DAILY LIMIT</source>
        <translation>TAGESLIMIT</translation>
    </message>
    <message>
        <source>You are about to reach your daily screen time limit</source>
        <translation>Du erreichst gleich dein tägliches Bildschirmzeitlimit</translation>
    </message>
    <message>
        <source>Consider taking a short break</source>
        <translation>Vielleicht ist jetzt Zeit für eine kurze Pause</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message numerus="yes">
        <source>Extend for %n min</source>
        <translation>
            <numerusform>Um %n&#xa0;min verlängern</numerusform>
            <numerusform>Um %n&#xa0;min verlängern</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>brindlemoor::ColorWell</name>
    <message>
        <source>Indicator color</source>
        <translation>Farbe der Anzeige</translation>
    </message>
</context>
<context>
    <name>brindlemoor::DailyFloatingWidgetView</name>
    <message>
        <source>Daily usage limit</source>
        <translation>Tageslimit</translation>
    </message>
    <message>
        <source>Extend the daily limit</source>
        <translation>Das Tageslimit verlängern</translation>
    </message>
</context>
<context>
    <name>brindlemoor::ExtensionNotice</name>
    <message>
        <source>Turn On</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>Turn On Brindlemoor&apos;s GNOME Shell Extension</source>
        <translation>GNOME-Shell-Erweiterung von Brindlemoor einschalten</translation>
    </message>
    <message>
        <source>Brindlemoor needs its GNOME Shell extension to see which app you use.</source>
        <translation>Brindlemoor braucht seine GNOME-Shell-Erweiterung, um zu sehen, welche App du verwendest.</translation>
    </message>
    <message>
        <source>Brindlemoor&apos;s GNOME Shell extension loads at your next log-in.</source>
        <translation>Die GNOME-Shell-Erweiterung von Brindlemoor wird bei deiner nächsten Anmeldung geladen.</translation>
    </message>
    <message>
        <source>GNOME loads Brindlemoor&apos;s extension at your next log-in.</source>
        <translation>GNOME lädt die Erweiterung von Brindlemoor bei deiner nächsten Anmeldung.</translation>
    </message>
    <message>
        <source>GNOME could not load Brindlemoor&apos;s extension.</source>
        <translation>GNOME konnte die Erweiterung von Brindlemoor nicht laden.</translation>
    </message>
</context>
<context>
    <name>brindlemoor::FennProgressBar</name>
    <message>
        <source>Daily usage limit</source>
        <translation>Tageslimit</translation>
    </message>
    <message>
        <source>+%1m</source>
        <translation>+%1&#xa0;min</translation>
    </message>
    <message>
        <source>Extend the daily limit by %1 min</source>
        <translation>Das Tageslimit um %1&#xa0;min verlängern</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1&#xa0;%</translation>
    </message>
</context>
<context>
    <name>brindlemoor::FloatingCardView</name>
    <message>
        <source>Close the %1 widget</source>
        <translation>Widget für %1 schließen</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1&#xa0;%</translation>
    </message>
</context>
<context>
    <name>brindlemoor::FloatingWidgetView</name>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset %1</source>
        <translation>%1 zurücksetzen</translation>
    </message>
</context>
<context>
    <name>brindlemoor::HistoryChart</name>
    <message>
        <source>Limit</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Time used each day</source>
        <translation>Genutzte Zeit pro Tag</translation>
    </message>
    <message>
        <source>Time used each week, as an average day</source>
        <translation>Genutzte Zeit pro Woche, als durchschnittlicher Tag</translation>
    </message>
</context>
<context>
    <name>brindlemoor::HistoryView</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>JSON files (*.json)</source>
        <translation>JSON-Dateien (*.json)</translation>
    </message>
    <message>
        <source>Export Usage History</source>
        <translation>Nutzungsverlauf exportieren</translation>
    </message>
    <message>
        <source>brindlemoor-history-%1</source>
        <extracomment>The suggested file name of an export, before its suffix; %1 is the date.</extracomment>
        <translation>brindlemoor-verlauf-%1</translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation>Nutzungsverlauf</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>Export the usage history to a file</source>
        <translation>Den Nutzungsverlauf in eine Datei exportieren</translation>
    </message>
    <message>
        <source>14 days</source>
        <translation>14 Tage</translation>
    </message>
    <message>
        <source>12 weeks</source>
        <translation>12 Wochen</translation>
    </message>
    <message>
        <source>Period shown</source>
        <translation>Angezeigter Zeitraum</translation>
    </message>
    <message>
        <source>Application shown</source>
        <translation>Angezeigte App</translation>
    </message>
    <message>
        <source>All apps</source>
        <translation>Alle Apps</translation>
    </message>
    <message>
        <source>Nothing recorded in this period yet. Each day you use your computer adds its bar here.</source>
        <translation>In diesem Zeitraum wurde noch nichts aufgezeichnet. Jeder Tag, an dem du deinen Computer nutzt, fügt hier seinen Balken hinzu.</translation>
    </message>
    <message>
        <source>%1 was not used in this period.</source>
        <translation>%1 wurde in diesem Zeitraum nicht genutzt.</translation>
    </message>
    <message>
        <source>Point at a day, or select the chart and use the arrow keys, to see its figures.</source>
        <translation>Zeige auf einen Tag oder wähle das Diagramm und nutze die Pfeiltasten, um seine Zahlen zu sehen.</translation>
    </message>
    <message>
        <source>Point at a week, or select the chart and use the arrow keys, to see its figures.</source>
        <translation>Zeige auf eine Woche oder wähle das Diagramm und nutze die Pfeiltasten, um ihre Zahlen zu sehen.</translation>
    </message>
    <message>
        <source>Could not export to %1: %2</source>
        <translation>Export nach %1 nicht möglich: %2</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Nach %1 exportiert</translation>
    </message>
</context>
<context>
    <name>brindlemoor::HistoryWindow</name>
    <message>
        <source>Usage history</source>
        <translation>Nutzungsverlauf</translation>
    </message>
</context>
<context>
    <name>brindlemoor::InfoPopoverController</name>
    <message>
        <source>About Brindlemoor</source>
        <translation>Über Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::InfoPopoverView</name>
    <message>
        <source>Brindlemoor helps you stay aware of digital boundaries without blocking or restricting your work, using gentle pauses instead.</source>
        <translation>Brindlemoor hilft dir, deine digitalen Grenzen im Blick zu behalten – ohne deine Arbeit zu blockieren oder einzuschränken, mit sanften Pausen.</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>So funktioniert es</translation>
    </message>
    <message>
        <source>Quietly tracks active usage. The floating widget keeps your limits visible in your peripheral view, while the menu bar indicator reflects when app limits are reached. When your daily limit is breached, a gentle overlay pauses the moment before you continue.</source>
        <translation>Erfasst still deine aktive Nutzung. Das schwebende Widget hält deine Limits im Augenwinkel sichtbar, und die Anzeige in der Leiste zeigt, wann App-Limits erreicht sind. Ist dein Tageslimit überschritten, hält eine sanfte Einblendung den Moment an, bevor du weitermachst.</translation>
    </message>
    <message>
        <source>Privacy First</source>
        <translation>Privatsphäre zuerst</translation>
    </message>
    <message>
        <source>No data collection. No screen recording. No analytics. Everything stays locally on your computer.</source>
        <translation>Keine Datensammlung. Keine Bildschirmaufnahmen. Keine Analysen. Alles bleibt lokal auf deinem Computer.</translation>
    </message>
    <message>
        <source>Thank you for taking a moment to pause.</source>
        <translation>Danke, dass du dir einen Moment zum Innehalten nimmst.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>Feedback senden</translation>
    </message>
    <message>
        <source>Brindlemoor</source>
        <translation>Brindlemoor</translation>
    </message>
    <message>
        <source>Focus &amp; Flow</source>
        <translation>Fokus &amp; Flow</translation>
    </message>
    <message>
        <source>About Brindlemoor</source>
        <translation>Über Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::MenuCardView</name>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Extend</source>
        <translation>Verlängern</translation>
    </message>
</context>
<context>
    <name>brindlemoor::MenuRootView</name>
    <message>
        <source>Pause Monitoring</source>
        <translation>Erfassung pausieren</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>About Brindlemoor</source>
        <translation>Über Brindlemoor</translation>
    </message>
    <message>
        <source>Resume Monitoring</source>
        <translation>Erfassung fortsetzen</translation>
    </message>
    <message>
        <source>Add apps to monitor in Settings</source>
        <translation>Füge in den Einstellungen Apps zum Erfassen hinzu</translation>
    </message>
    <message>
        <source>No app usage yet today</source>
        <translation>Heute noch keine App-Nutzung</translation>
    </message>
    <message>
        <source>Today&apos;s usage</source>
        <translation>Heutige Nutzung</translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation>Nutzungsverlauf</translation>
    </message>
</context>
<context>
    <name>brindlemoor::MonitoredAppsTableView</name>
    <message>
        <source>Time limit for %1, minutes</source>
        <translation>Zeitlimit für %1, Minuten</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <source>Watched applications</source>
        <translation>Erfasste Anwendungen</translation>
    </message>
</context>
<context>
    <name>brindlemoor::PreferencesView</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Launch Brindlemoor at login</source>
        <translation>Brindlemoor bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Gentle sound at limit</source>
        <translation>Sanfter Klang beim Limit</translation>
    </message>
    <message>
        <source>Square indicator on alert</source>
        <translation>Quadratische Anzeige bei Hinweis</translation>
    </message>
    <message>
        <source>Daily limit overlay</source>
        <translation>Einblendung beim Tageslimit</translation>
    </message>
    <message>
        <source>7-sec pause before daily breach</source>
        <translation>7&#xa0;Sek. Pause, bevor das Tageslimit überschritten wird</translation>
    </message>
    <message>
        <source>Daily Total Limit (0 to disable)</source>
        <translation>Tägliches Gesamtlimit (0 zum Abschalten)</translation>
    </message>
    <message>
        <source>Amber alert at 80%</source>
        <translation>Gelber Hinweis bei 80&#xa0;%</translation>
    </message>
    <message>
        <source>Extend duration</source>
        <translation>Verlängerungsdauer</translation>
    </message>
    <message>
        <source>Added when you extend app limit</source>
        <translation>Kommt hinzu, wenn du ein App-Limit verlängerst</translation>
    </message>
    <message>
        <source>Indicator color</source>
        <translation>Farbe der Anzeige</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Genutzt</translation>
    </message>
    <message>
        <source>Remaining</source>
        <translation>Übrig</translation>
    </message>
    <message>
        <source>Time display</source>
        <translation>Zeitanzeige</translation>
    </message>
    <message>
        <source>Usage time for selected apps (minutes)</source>
        <translation>Nutzungszeit der ausgewählten Apps (Minuten)</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Anwendung</translation>
    </message>
    <message>
        <source>Time limit</source>
        <translation>Zeitlimit</translation>
    </message>
    <message>
        <source>Add application</source>
        <translation>Anwendung hinzufügen</translation>
    </message>
    <message>
        <source>Remove application</source>
        <translation>Anwendung entfernen</translation>
    </message>
    <message numerus="yes">
        <source>%n app(s) added</source>
        <translation>
            <numerusform>%n App hinzugefügt</numerusform>
            <numerusform>%n Apps hinzugefügt</numerusform>
        </translation>
    </message>
    <message>
        <source>Daily limit, minutes</source>
        <translation>Tageslimit, Minuten</translation>
    </message>
    <message>
        <source>Extend duration, minutes</source>
        <translation>Verlängerungsdauer, Minuten</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>Keep history for, days</source>
        <translation>Verlauf behalten für, Tage</translation>
    </message>
    <message>
        <source>Keep history for</source>
        <translation>Verlauf behalten für</translation>
    </message>
    <message numerus="yes">
        <source>day(s)</source>
        <extracomment>After the field with the number of days the history keeps: &quot;Keep history for [90] days&quot;.</extracomment>
        <translation>
            <numerusform>Tag</numerusform>
            <numerusform>Tage</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>brindlemoor::QuitRow</name>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Quit Brindlemoor</source>
        <translation>Brindlemoor beenden</translation>
    </message>
</context>
<context>
    <name>brindlemoor::ReflectionHeader</name>
    <message>
        <source>Insights</source>
        <translation>Einblicke</translation>
    </message>
</context>
<context>
    <name>brindlemoor::ReflectionPanelRow</name>
    <message>
        <source>Show insights</source>
        <translation>Einblicke zeigen</translation>
    </message>
    <message>
        <source>Hide insights</source>
        <translation>Einblicke ausblenden</translation>
    </message>
</context>
<context>
    <name>brindlemoor::TrayIndicator</name>
    <message>
        <source>Monitoring paused</source>
        <translation>Erfassung pausiert</translation>
    </message>
    <message>
        <source>%1 today</source>
        <translation>Heute %1</translation>
    </message>
    <message>
        <source>%1 of %2 today</source>
        <translation>Heute %1 von %2</translation>
    </message>
</context>
<context>
    <name>brindlemoor::TrayPopoverHost</name>
    <message>
        <source>Today in Brindlemoor</source>
        <translation>Heute in Brindlemoor</translation>
    </message>
    <message>
        <source>Brindlemoor Settings</source>
        <translation>Brindlemoor-Einstellungen</translation>
    </message>
</context>
<context>
    <name>brindlemoor::UsageList</name>
    <message>
        <source>Applications used today</source>
        <translation>Heute genutzte Anwendungen</translation>
    </message>
</context>
<context>
    <name>brindlemoor::WelcomePopoverController</name>
    <message>
        <source>Welcome to Brindlemoor</source>
        <translation>Willkommen bei Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::WelcomeView</name>
    <message>
        <source>Get Started</source>
        <translation>Los geht’s</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Los geht’s</translation>
    </message>
    <message>
        <source>Brindlemoor</source>
        <translation>Brindlemoor</translation>
    </message>
    <message>
        <source>Gentle cues that help you notice
when it&apos;s time to pause or refocus.</source>
        <translation>Sanfte Hinweise, die dir zeigen,
wann es Zeit ist, innezuhalten
oder dich neu zu sammeln.</translation>
    </message>
</context>
<context>
    <name>brindlemoor::WidgetCloseButton</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>brindlemoor::XEmbedTrayIcon</name>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
</context>
</TS>
