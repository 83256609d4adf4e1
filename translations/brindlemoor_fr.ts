<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
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
        <translation>encore %1</translation>
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
        <translation>ddd d MMM</translation>
    </message>
    <message>
        <source>Week of %1</source>
        <translation>Semaine du %1</translation>
    </message>
    <message>
        <source>d MMM</source>
        <extracomment>The first day of a week in the history; a QDate format.</extracomment>
        <translation>d MMM</translation>
    </message>
    <message>
        <source>Nothing recorded</source>
        <translation>Rien d’enregistré</translation>
    </message>
    <message>
        <source>%1 a day, %2 in all</source>
        <translation>%1 par jour, %2 au total</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>Aucune limite</translation>
    </message>
    <message>
        <source>%1, within the limit</source>
        <translation>%1, dans la limite</translation>
    </message>
    <message>
        <source>%1, over the limit</source>
        <translation>%1, limite dépassée</translation>
    </message>
    <message numerus="yes">
        <source>%1, reached on %n day(s)</source>
        <translation>
            <numerusform>%1, atteinte sur %n&#xa0;jour</numerusform>
            <numerusform>%1, atteinte sur %n&#xa0;jours</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: nothing recorded, Brindlemoor was not running</source>
        <translation>%1&#xa0;: rien d’enregistré, Brindlemoor n’était pas lancé</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1: %2 of %3, over the limit</source>
        <translation>%1&#xa0;: %2 sur %3, limite dépassée</translation>
    </message>
    <message>
        <source>%1: %2 of %3, within the limit</source>
        <translation>%1&#xa0;: %2 sur %3, dans la limite</translation>
    </message>
    <message>
        <source>%1: %2 a day, %3 in all</source>
        <translation>%1&#xa0;: %2 par jour, %3 au total</translation>
    </message>
    <message>
        <source>%1: %2 a day, %3 in all; limit %4, not reached</source>
        <translation>%1&#xa0;: %2 par jour, %3 au total&#xa0;; limite %4, non atteinte</translation>
    </message>
    <message numerus="yes">
        <source>%1: %2 a day, %3 in all; limit %4, reached on %n day(s)</source>
        <translation>
            <numerusform>%1&#xa0;: %2 par jour, %3 au total&#xa0;; limite %4, atteinte sur %n&#xa0;jour</numerusform>
            <numerusform>%1&#xa0;: %2 par jour, %3 au total&#xa0;; limite %4, atteinte sur %n&#xa0;jours</numerusform>
        </translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Semaine</translation>
    </message>
    <message>
        <source>Time used</source>
        <translation>Temps utilisé</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limite</translation>
    </message>
    <message>
        <source>Daily average %1</source>
        <translation>Moyenne quotidienne %1</translation>
    </message>
    <message>
        <source>Weekly average %1</source>
        <translation>Moyenne hebdomadaire %1</translation>
    </message>
</context>
<context>
    <name>LimitProgress</name>
    <message>
        <source>%1 used, no limit</source>
        <translation>%1 d’utilisation, sans limite</translation>
    </message>
    <message>
        <source>%1 used of %2</source>
        <translation>%1 d’utilisation sur %2</translation>
    </message>
    <message>
        <source>%1, limit reached</source>
        <translation>%1, limite atteinte</translation>
    </message>
    <message>
        <source>%1, near the limit</source>
        <translation>%1, proche de la limite</translation>
    </message>
</context>
<context>
    <name>ReflectionEngine</name>
    <message>
        <source>yesterday</source>
        <translation>hier</translation>
    </message>
    <message>
        <source>today</source>
        <translation>aujourd’hui</translation>
    </message>
    <message>
        <source>%1% of daily limit used</source>
        <translation>Limite quotidienne utilisée à %1&#xa0;%</translation>
    </message>
    <message>
        <source>Daily limit reached</source>
        <translation>Limite quotidienne atteinte</translation>
    </message>
    <message>
        <source>You&apos;ve used your full daily allocation. Rest intentionally — it counts too.</source>
        <translation>Vous avez utilisé tout votre temps pour aujourd’hui. Accordez-vous un vrai repos, il compte aussi.</translation>
    </message>
    <message>
        <source>You&apos;re approaching your daily screen time. A good time to start wrapping up.</source>
        <translation>Vous approchez de votre temps d’écran quotidien. C’est le bon moment pour commencer à conclure.</translation>
    </message>
    <message>
        <source>You&apos;re within your daily limit. Good pace.</source>
        <translation>Vous restez dans votre limite quotidienne. Bon rythme.</translation>
    </message>
    <message numerus="yes">
        <source>%n day(s)</source>
        <extracomment>Fills the %1 of &quot;Breached on %1 in the past 14 days (%2).&quot;</extracomment>
        <translation>
            <numerusform>%n jour</numerusform>
            <numerusform>%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n total breach-hour(s)</source>
        <extracomment>Fills the %2 of &quot;Breached on %1 in the past 14 days (%2).&quot;</extracomment>
        <translation>
            <numerusform>%n heure de dépassement au total</numerusform>
            <numerusform>%n heures de dépassement au total</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 pushes your limits most</source>
        <translation>%1 met le plus vos limites à l’épreuve</translation>
    </message>
    <message>
        <source>Breached on %1 in the past 14 days (%2). Consider a shorter limit or a pre-session timer.</source>
        <translation>Limite dépassée %1 sur les 14 derniers (%2). Une limite plus courte ou un minuteur avant de commencer pourrait aider.</translation>
    </message>
    <message numerus="yes">
        <source>%n fewer breach-hour(s) this week</source>
        <translation>
            <numerusform>%n heure de dépassement en moins cette semaine</numerusform>
            <numerusform>%n heures de dépassement en moins cette semaine</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 this week vs %2 last week. Your limits are starting to stick.</source>
        <translation>%1 cette semaine contre %2 la semaine dernière. Vos limites commencent à porter leurs fruits.</translation>
    </message>
    <message numerus="yes">
        <source>%n more breach-hour(s) this week</source>
        <translation>
            <numerusform>%n heure de dépassement en plus cette semaine</numerusform>
            <numerusform>%n heures de dépassement en plus cette semaine</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 this week vs %2 last week. Awareness starts with noticing the pattern.</source>
        <translation>%1 cette semaine contre %2 la semaine dernière. La prise de conscience commence par repérer la tendance.</translation>
    </message>
    <message>
        <source>Most breaches happen around %1</source>
        <translation>La plupart des dépassements ont lieu vers %1</translation>
    </message>
    <message>
        <source>Your limits get pushed most at this time of day. A short break before %1 might help you reset.</source>
        <translation>C’est à ce moment de la journée que vos limites sont le plus souvent mises à l’épreuve. Une courte pause avant %1 pourrait vous aider à repartir du bon pied.</translation>
    </message>
    <message>
        <source>Last clean day: %1</source>
        <translation>Dernier jour sans dépassement&#xa0;: %1</translation>
    </message>
    <message>
        <source>No limits breached that day. What made it different? More breaks, less context-switching, or a focused block?</source>
        <translation>Aucune limite dépassée ce jour-là. Qu’est-ce qui a changé&#xa0;? Plus de pauses, moins d’allers-retours entre les tâches, ou un moment de concentration&#xa0;?</translation>
    </message>
    <message>
        <source>%1% clean days this week</source>
        <translation>%1&#xa0;% de jours sans dépassement cette semaine</translation>
    </message>
    <message>
        <source>More than half your days this week had no breaches. Awareness is building.</source>
        <translation>Plus de la moitié de vos jours cette semaine se sont passés sans dépassement. La prise de conscience grandit.</translation>
    </message>
    <message>
        <source>Building your usage picture</source>
        <translation>Votre aperçu d’utilisation se construit</translation>
    </message>
    <message>
        <source>Insights appear here as patterns emerge. Use Brindlemoor for a couple of days and check back.</source>
        <translation>Les tendances apparaîtront ici au fil du temps. Utilisez Brindlemoor quelques jours, puis revenez voir.</translation>
    </message>
</context>
<context>
    <name>StatusText</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Monitoring paused</source>
        <translation>Suivi suspendu</translation>
    </message>
    <message>
        <source>Today %1</source>
        <translation>Aujourd’hui %1</translation>
    </message>
</context>
<context>
    <name>brindlemoor::AppUsageRowView</name>
    <message>
        <source>Reset %1</source>
        <translation>Réinitialiser %1</translation>
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
        <translation>Choisir un fichier…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add Application</source>
        <translation>Ajouter une application</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Choose an Application Entry</source>
        <translation>Choisir une entrée d’application</translation>
    </message>
    <message>
        <source>Application entries (*.desktop)</source>
        <translation>Entrées d’application (*.desktop)</translation>
    </message>
    <message>
        <source>Search applications</source>
        <translation>Rechercher des applications</translation>
    </message>
    <message>
        <source>Installed applications</source>
        <translation>Applications installées</translation>
    </message>
    <message>
        <source>Add the chosen application</source>
        <translation>Ajouter l’application choisie</translation>
    </message>
    <message>
        <source>Choose an application&apos;s desktop file</source>
        <translation>Choisir le fichier .desktop d’une application</translation>
    </message>
</context>
<context>
    <name>brindlemoor::BreakOverlayView</name>
    <message>
        <source>DAILY LIMIT</source>
        <translation>LIMITE QUOTIDIENNE</translation>
    </message>
    <message>
        <source>You are about to reach your daily screen time limit</source>
        <translation>Vous êtes sur le point d’atteindre votre limite quotidienne de temps d’écran</translation>
    </message>
    <message>
        <source>Consider taking a short break</source>
        <translation>Et si vous faisiez une courte pause&#xa0;?</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message numerus="yes">
        <source>Extend for %n min</source>
        <translation>
            <numerusform>Prolonger de %n&#xa0;min</numerusform>
            <numerusform>Prolonger de %n&#xa0;min</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>brindlemoor::ColorWell</name>
    <message>
        <source>Indicator color</source>
        <translation>Couleur de l’indicateur</translation>
    </message>
</context>
<context>
    <name>brindlemoor::DailyFloatingWidgetView</name>
    <message>
        <source>Daily usage limit</source>
        <translation>Limite du jour</translation>
    </message>
    <message>
        <source>Extend the daily limit</source>
        <translation>Prolonger la limite quotidienne</translation>
    </message>
</context>
<context>
    <name>brindlemoor::ExtensionNotice</name>
    <message>
        <source>Turn On</source>
        <translation>Activer</translation>
    </message>
    <message>
        <source>Turn On Brindlemoor&apos;s GNOME Shell Extension</source>
        <translation>Activer l’extension GNOME Shell de Brindlemoor</translation>
    </message>
    <message>
        <source>Brindlemoor needs its GNOME Shell extension to see which app you use.</source>
        <translation>Brindlemoor a besoin de son extension GNOME Shell pour savoir quelle application vous utilisez.</translation>
    </message>
    <message>
        <source>Brindlemoor&apos;s GNOME Shell extension loads at your next log-in.</source>
        <translation>L’extension GNOME Shell de Brindlemoor se chargera à votre prochaine connexion.</translation>
    </message>
    <message>
        <source>GNOME loads Brindlemoor&apos;s extension at your next log-in.</source>
        <translation>GNOME chargera l’extension de Brindlemoor à votre prochaine connexion.</translation>
    </message>
    <message>
        <source>GNOME could not load Brindlemoor&apos;s extension.</source>
        <translation>GNOME n’a pas pu charger l’extension de Brindlemoor.</translation>
    </message>
</context>
<context>
    <name>brindlemoor::FennProgressBar</name>
    <message>
        <source>Daily usage limit</source>
        <translation>Limite du jour</translation>
    </message>
    <message>
        <source>+%1m</source>
        <translation>+%1&#xa0;min</translation>
    </message>
    <message>
        <source>Extend the daily limit by %1 min</source>
        <translation>Prolonger la limite quotidienne de %1&#xa0;min</translation>
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
        <translation>Fermer le widget de %1</translation>
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
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Reset %1</source>
        <translation>Réinitialiser %1</translation>
    </message>
</context>
<context>
    <name>brindlemoor::HistoryChart</name>
    <message>
        <source>Limit</source>
        <translation>Limite</translation>
    </message>
    <message>
        <source>Time used each day</source>
        <translation>Temps utilisé chaque jour</translation>
    </message>
    <message>
        <source>Time used each week, as an average day</source>
        <translation>Temps utilisé chaque semaine, en jour moyen</translation>
    </message>
</context>
<context>
    <name>brindlemoor::HistoryView</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>JSON files (*.json)</source>
        <translation>Fichiers JSON (*.json)</translation>
    </message>
    <message>
        <source>Export Usage History</source>
        <translation>Exporter l’historique d’utilisation</translation>
    </message>
    <message>
        <source>brindlemoor-history-%1</source>
        <extracomment>The suggested file name of an export, before its suffix; %1 is the date.</extracomment>
        <translation>brindlemoor-historique-%1</translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation>Historique d’utilisation</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exporter…</translation>
    </message>
    <message>
        <source>Export the usage history to a file</source>
        <translation>Exporter l’historique d’utilisation dans un fichier</translation>
    </message>
    <message>
        <source>14 days</source>
        <translation>14&#xa0;jours</translation>
    </message>
    <message>
        <source>12 weeks</source>
        <translation>12&#xa0;semaines</translation>
    </message>
    <message>
        <source>Period shown</source>
        <translation>Période affichée</translation>
    </message>
    <message>
        <source>Application shown</source>
        <translation>Application affichée</translation>
    </message>
    <message>
        <source>All apps</source>
        <translation>Toutes les apps</translation>
    </message>
    <message>
        <source>Nothing recorded in this period yet. Each day you use your computer adds its bar here.</source>
        <translation>Rien n’a encore été enregistré sur cette période. Chaque jour où vous utilisez votre ordinateur ajoute ici sa barre.</translation>
    </message>
    <message>
        <source>%1 was not used in this period.</source>
        <translation>%1 n’a pas été utilisé sur cette période.</translation>
    </message>
    <message>
        <source>Point at a day, or select the chart and use the arrow keys, to see its figures.</source>
        <translation>Pointez un jour, ou sélectionnez le graphique et utilisez les flèches, pour voir ses chiffres.</translation>
    </message>
    <message>
        <source>Point at a week, or select the chart and use the arrow keys, to see its figures.</source>
        <translation>Pointez une semaine, ou sélectionnez le graphique et utilisez les flèches, pour voir ses chiffres.</translation>
    </message>
    <message>
        <source>Could not export to %1: %2</source>
        <translation>Impossible d’exporter vers %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exporté vers %1</translation>
    </message>
</context>
<context>
    <name>brindlemoor::HistoryWindow</name>
    <message>
        <source>Usage history</source>
        <translation>Historique d’utilisation</translation>
    </message>
</context>
<context>
    <name>brindlemoor::InfoPopoverController</name>
    <message>
        <source>About Brindlemoor</source>
        <translation>À propos de Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::InfoPopoverView</name>
    <message>
        <source>Brindlemoor helps you stay aware of digital boundaries without blocking or restricting your work, using gentle pauses instead.</source>
        <translation>Brindlemoor vous aide à garder un œil sur vos limites numériques, sans bloquer ni restreindre votre travail, grâce à des pauses en douceur.</translation>
    </message>
    <message>
        <source>How it works</source>
        <translation>Comment ça marche</translation>
    </message>
    <message>
        <source>Quietly tracks active usage. The floating widget keeps your limits visible in your peripheral view, while the menu bar indicator reflects when app limits are reached. When your daily limit is breached, a gentle overlay pauses the moment before you continue.</source>
        <translation>Mesure discrètement votre utilisation active. Le widget flottant garde vos limites en vue du coin de l’œil, et l’indicateur de la barre signale quand les limites des applications sont atteintes. Lorsque votre limite quotidienne est dépassée, un écran en douceur suspend l’instant avant que vous ne repreniez.</translation>
    </message>
    <message>
        <source>Privacy First</source>
        <translation>La confidentialité avant tout</translation>
    </message>
    <message>
        <source>No data collection. No screen recording. No analytics. Everything stays locally on your computer.</source>
        <translation>Aucune collecte de données. Aucun enregistrement d’écran. Aucune mesure d’audience. Tout reste sur votre ordinateur.</translation>
    </message>
    <message>
        <source>Thank you for taking a moment to pause.</source>
        <translation>Merci de prendre un moment pour faire une pause.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Send Feedback</source>
        <translation>Envoyer un avis</translation>
    </message>
    <message>
        <source>Brindlemoor</source>
        <translation>Brindlemoor</translation>
    </message>
    <message>
        <source>Focus &amp; Flow</source>
        <translation>Focus et fluidité</translation>
    </message>
    <message>
        <source>About Brindlemoor</source>
        <translation>À propos de Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::MenuCardView</name>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Extend</source>
        <translation>Prolonger</translation>
    </message>
</context>
<context>
    <name>brindlemoor::MenuRootView</name>
    <message>
        <source>Pause Monitoring</source>
        <translation>Suspendre le suivi</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>About Brindlemoor</source>
        <translation>À propos de Brindlemoor</translation>
    </message>
    <message>
        <source>Resume Monitoring</source>
        <translation>Reprendre le suivi</translation>
    </message>
    <message>
        <source>Add apps to monitor in Settings</source>
        <translation>Ajoutez des applications à suivre dans les paramètres</translation>
    </message>
    <message>
        <source>No app usage yet today</source>
        <translation>Aucune utilisation pour l’instant aujourd’hui</translation>
    </message>
    <message>
        <source>Today&apos;s usage</source>
        <translation>Utilisation du jour</translation>
    </message>
    <message>
        <source>Usage history</source>
        <translation>Historique d’utilisation</translation>
    </message>
</context>
<context>
    <name>brindlemoor::MonitoredAppsTableView</name>
    <message>
        <source>Time limit for %1, minutes</source>
        <translation>Limite de temps pour %1, en minutes</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <source>Watched applications</source>
        <translation>Applications suivies</translation>
    </message>
</context>
<context>
    <name>brindlemoor::PreferencesView</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Launch Brindlemoor at login</source>
        <translation>Lancer Brindlemoor à la connexion</translation>
    </message>
    <message>
        <source>Gentle sound at limit</source>
        <translation>Son doux à la limite</translation>
    </message>
    <message>
        <source>Square indicator on alert</source>
        <translation>Indicateur carré en cas d’alerte</translation>
    </message>
    <message>
        <source>Daily limit overlay</source>
        <translation>Écran de pause quotidien</translation>
    </message>
    <message>
        <source>7-sec pause before daily breach</source>
        <translation>Pause de 7&#xa0;s avant le dépassement quotidien</translation>
    </message>
    <message>
        <source>Daily Total Limit (0 to disable)</source>
        <translation>Limite quotidienne totale (0 pour désactiver)</translation>
    </message>
    <message>
        <source>Amber alert at 80%</source>
        <translation>Alerte orange à 80&#xa0;%</translation>
    </message>
    <message>
        <source>Extend duration</source>
        <translation>Durée de prolongation</translation>
    </message>
    <message>
        <source>Added when you extend app limit</source>
        <translation>Ajoutée quand vous prolongez la limite d’une application</translation>
    </message>
    <message>
        <source>Indicator color</source>
        <translation>Couleur de l’indicateur</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Utilisé</translation>
    </message>
    <message>
        <source>Remaining</source>
        <translation>Restant</translation>
    </message>
    <message>
        <source>Time display</source>
        <translation>Affichage du temps</translation>
    </message>
    <message>
        <source>Usage time for selected apps (minutes)</source>
        <translation>Temps d’utilisation des applications choisies (minutes)</translation>
    </message>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Time limit</source>
        <translation>Limite de temps</translation>
    </message>
    <message>
        <source>Add application</source>
        <translation>Ajouter une application</translation>
    </message>
    <message>
        <source>Remove application</source>
        <translation>Retirer l’application</translation>
    </message>
    <message numerus="yes">
        <source>%n app(s) added</source>
        <translation>
            <numerusform>%n application ajoutée</numerusform>
            <numerusform>%n applications ajoutées</numerusform>
        </translation>
    </message>
    <message>
        <source>Daily limit, minutes</source>
        <translation>Limite quotidienne, en minutes</translation>
    </message>
    <message>
        <source>Extend duration, minutes</source>
        <translation>Durée de prolongation, en minutes</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>Retirer %1</translation>
    </message>
    <message>
        <source>Keep history for, days</source>
        <translation>Conserver l’historique pendant, en jours</translation>
    </message>
    <message>
        <source>Keep history for</source>
        <translation>Conserver l’historique pendant</translation>
    </message>
    <message numerus="yes">
        <source>day(s)</source>
        <extracomment>After the field with the number of days the history keeps: &quot;Keep history for [90] days&quot;.</extracomment>
        <translation>
            <numerusform>jour</numerusform>
            <numerusform>jours</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>brindlemoor::QuitRow</name>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Quit Brindlemoor</source>
        <translation>Quitter Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::ReflectionHeader</name>
    <message>
        <source>Insights</source>
        <translation>Tendances</translation>
    </message>
</context>
<context>
    <name>brindlemoor::ReflectionPanelRow</name>
    <message>
        <source>Show insights</source>
        <translation>Afficher les tendances</translation>
    </message>
    <message>
        <source>Hide insights</source>
        <translation>Masquer les tendances</translation>
    </message>
</context>
<context>
    <name>brindlemoor::TrayIndicator</name>
    <message>
        <source>Monitoring paused</source>
        <translation>Suivi suspendu</translation>
    </message>
    <message>
        <source>%1 today</source>
        <translation>%1 aujourd’hui</translation>
    </message>
    <message>
        <source>%1 of %2 today</source>
        <translation>%1 sur %2 aujourd’hui</translation>
    </message>
</context>
<context>
    <name>brindlemoor::TrayPopoverHost</name>
    <message>
        <source>Today in Brindlemoor</source>
        <translation>Aujourd’hui dans Brindlemoor</translation>
    </message>
    <message>
        <source>Brindlemoor Settings</source>
        <translation>Paramètres de Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::UsageList</name>
    <message>
        <source>Applications used today</source>
        <translation>Applications utilisées aujourd’hui</translation>
    </message>
</context>
<context>
    <name>brindlemoor::WelcomePopoverController</name>
    <message>
        <source>Welcome to Brindlemoor</source>
        <translation>Bienvenue dans Brindlemoor</translation>
    </message>
</context>
<context>
    <name>brindlemoor::WelcomeView</name>
    <message>
        <source>Get Started</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>Brindlemoor</source>
        <translation>Brindlemoor</translation>
    </message>
    <message>
        <source>Gentle cues that help you notice
when it&apos;s time to pause or refocus.</source>
        <translation>De doux signaux pour remarquer
quand il est temps de faire
une pause ou de vous recentrer.</translation>
    </message>
</context>
<context>
    <name>brindlemoor::WidgetCloseButton</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
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
