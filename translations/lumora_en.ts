<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr_FR">
<context>
    <name>Dials</name>
    <message>
        <source>O</source>
        <translation>W</translation>
    </message>
    <message>
        <source>Azimut</source>
        <translation>Azimuth</translation>
    </message>
    <message>
        <source>Hauteur</source>
        <translation>Elevation</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>le disque est plein</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>le fichier est trop grand</source>
        <translation>the file is too large</translation>
    </message>
</context>
<context>
    <name>Lumora</name>
    <message>
        <source>Dit si le Soleil se voit par une fenêtre, maintenant ou à un moment choisi, et quand il y entre ou en sort.</source>
        <translation>Tells whether the Sun can be seen through a window, now or at a chosen moment, and when it next comes in or goes out.</translation>
    </message>
    <message>
        <source>Démarre dans la zone de notification, la fenêtre cachée (la fenêtre s&apos;affiche quand il n&apos;y a pas de zone de notification).</source>
        <translation>Starts in the notification area with the window hidden (the window is shown when there is no notification area).</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>des valeurs y sont imbriquées trop profondément</source>
        <translation>values in it are nested too deeply</translation>
    </message>
</context>
<context>
    <name>SunAlerts</name>
    <message>
        <source>à %1</source>
        <translation>at %1</translation>
    </message>
    <message>
        <source>demain à %1</source>
        <translation>tomorrow at %1</translation>
    </message>
    <message>
        <source>le %1 à %2</source>
        <translation>on %1 at %2</translation>
    </message>
    <message>
        <source>Entrée du Soleil %1</source>
        <translation>Sun enters %1</translation>
    </message>
    <message>
        <source>Sortie du Soleil %1</source>
        <translation>Sun leaves %1</translation>
    </message>
    <message>
        <source>Pas de sortie du Soleil aujourd&apos;hui</source>
        <translation>The Sun does not leave the window today</translation>
    </message>
    <message>
        <source>Pas de Soleil dans la fenêtre aujourd&apos;hui</source>
        <translation>No Sun in the window today</translation>
    </message>
    <message>
        <source>Le Soleil entrera dans la fenêtre à %1</source>
        <translation>The Sun will enter the window at %1</translation>
    </message>
    <message>
        <source>Dans %1 minutes, pour %2.</source>
        <translation>In %1 minutes, for %2.</translation>
    </message>
    <message>
        <source>Dans %1 minutes.</source>
        <translation>In %1 minutes.</translation>
    </message>
    <message>
        <source>Le Soleil entre dans la fenêtre</source>
        <translation>The Sun enters the window</translation>
    </message>
    <message>
        <source>À %1, pour %2 (sortie %3).</source>
        <translation>At %1, for %2 (leaves %3).</translation>
    </message>
    <message>
        <source>À %1, pour plus d&apos;une journée.</source>
        <translation>At %1, for more than a day.</translation>
    </message>
    <message>
        <source>À %1.</source>
        <translation>At %1.</translation>
    </message>
    <message>
        <source>Le Soleil quitte la fenêtre</source>
        <translation>The Sun leaves the window</translation>
    </message>
    <message>
        <source>À %1. Prochaine entrée %2.</source>
        <translation>At %1. Next entry %2.</translation>
    </message>
    <message>
        <source>À %1. Pas de nouvelle entrée avant demain.</source>
        <translation>At %1. No new entry before tomorrow.</translation>
    </message>
</context>
<context>
    <name>SunCourse</name>
    <message>
        <source>%1 h</source>
        <translation>%1h</translation>
    </message>
</context>
<context>
    <name>SunIntervals</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Pas de Soleil dans la fenêtre ce jour</source>
        <translation>No Sun in the window this day</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre : %1 (%2)</source>
        <translation>Sun in the window: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>SurveyFailure</name>
    <message>
        <source>Impossible d&apos;écrire %1 : %2</source>
        <translation>%1 could not be written: %2</translation>
    </message>
    <message>
        <source>Le disque est plein : le fichier d&apos;ensoleillement n&apos;a pas pu être écrit.</source>
        <translation>The disk is full: the sunshine file could not be written.</translation>
    </message>
    <message>
        <source>fermer le fichier dans excel</source>
        <translation>close the file in the spreadsheet program</translation>
    </message>
</context>
<context>
    <name>lumora::About</name>
    <message>
        <source>Site de logiciels gratuits </source>
        <translation>Free software website </translation>
    </message>
    <message>
        <source>A Propos...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Si vous désirez faire une recherche d&apos;ensoleillement annuel d&apos;une terrasse, d&apos;une facade, je vous conseille d&apos;aller visiter le site de Quorel :</source>
        <translation>If you wish to study the sunshine of a terrace or a facade over a whole year, I suggest a visit to the Quorel website:</translation>
    </message>
    <message>
        <source>Ce logiciel est gratuit et fourni tel quel, sans garantie sur l&apos;exactitude des résultats.</source>
        <translation>This program is free and provided as is, with no warranty on the accuracy of its results.</translation>
    </message>
    <message>
        <source>Envoyer un coucou à l&apos;auteur...</source>
        <translation>Say hello to the author...</translation>
    </message>
    <message>
        <source>Les formules de calcul sont tirées des livres d&apos;astronomie de Jean Meeus.</source>
        <translation>The formulas come from Jean Meeus&apos; astronomy books.</translation>
    </message>
    <message>
        <source>Retour</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>lumora::AlertActions</name>
    <message>
        <source>Alertes</source>
        <translation>Alerts</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
    <message>
        <source>5 minutes avant</source>
        <translation>5 minutes before</translation>
    </message>
    <message>
        <source>15 minutes avant</source>
        <translation>15 minutes before</translation>
    </message>
    <message>
        <source>30 minutes avant</source>
        <translation>30 minutes before</translation>
    </message>
    <message>
        <source>Démarrer avec la session</source>
        <translation>Start with the session</translation>
    </message>
    <message>
        <source>Prévenir à l&apos;avance</source>
        <translation>Warn ahead</translation>
    </message>
</context>
<context>
    <name>lumora::AzimuthOverlay</name>
    <message>
        <source>Transparence</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>Azimut</source>
        <translation>Azimuth</translation>
    </message>
    <message>
        <source>Retour</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>lumora::DesktopNotifier</name>
    <message>
        <source>Afficher Lumora</source>
        <translation>Show Lumora</translation>
    </message>
</context>
<context>
    <name>lumora::MainWindow</name>
    <message>
        <source>%1 (TU)</source>
        <translation>%1 (UT)</translation>
    </message>
    <message>
        <source>Rechercher</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Hauteur du centre du Soleil (sans tenir compte de la réfraction atmosphérique).</source>
        <translation>Elevation of the Sun&apos;s centre (without atmospheric refraction).</translation>
    </message>
    <message>
        <source>Azimut du centre du Soleil.</source>
        <translation>Azimuth of the Sun&apos;s centre.</translation>
    </message>
    <message>
        <source>Fichier Ensoleillement.</source>
        <translation>Sunshine file.</translation>
    </message>
    <message>
        <source>1 heure</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 minutes</translation>
    </message>
    <message>
        <source>1 minute</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>Retour au temps réel, date du jour</source>
        <translation>Back to real time, today&apos;s date</translation>
    </message>
    <message>
        <source>Recherche</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Voir la recherche</source>
        <translation>Show the search</translation>
    </message>
    <message>
        <source>Prochaine Entrée</source>
        <translation>Next Entry</translation>
    </message>
    <message>
        <source>Heure TU</source>
        <translation>UT time</translation>
    </message>
    <message>
        <source>Nord</source>
        <translation>North</translation>
    </message>
    <message>
        <source>Sud</source>
        <translation>South</translation>
    </message>
    <message>
        <source>Est</source>
        <translation>East</translation>
    </message>
    <message>
        <source>Ouest</source>
        <translation>West</translation>
    </message>
    <message>
        <source>Google Map</source>
        <translation>Google Map</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>HeeeeeeeeelP</source>
        <translation>HeeeeeeeeelP</translation>
    </message>
    <message>
        <source>Réduire</source>
        <translation>Minimise</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Le fichier de réglages ne peut pas être lu : Lumora démarre avec les réglages d&apos;origine, et ceux de cette séance ne seront pas enregistrés.</source>
        <translation>The settings file cannot be read: Lumora starts with its original settings, and those of this session will not be saved.</translation>
    </message>
    <message>
        <source>Impossible de lire %1 : %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>raison inconnue</source>
        <translation>unknown reason</translation>
    </message>
    <message>
        <source>Les réglages n&apos;ont pas pu être enregistrés : les changements de cette séance sont perdus.</source>
        <translation>The settings could not be saved: the changes of this session are lost.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire %1 : %2</source>
        <translation>%1 could not be written: %2</translation>
    </message>
    <message>
        <source>L&apos;aide n&apos;a pas pu être ouverte : %1</source>
        <translation>The help could not be opened: %1</translation>
    </message>
    <message>
        <source>Module Azimut</source>
        <translation>Azimuth module</translation>
    </message>
    <message>
        <source>Utiliser le module transparent au dessus de Goooogle map pour déterminer un azimut. <byte value="xd"/>
- Voulez-vous lancer gooogle map maintenant ?</source>
        <translation>Use the see-through module over Goooogle map to find an azimuth. <byte value="xd"/>
- Do you want to start gooogle map now?</translation>
    </message>
    <message>
        <source>Temps réel</source>
        <translation>Real time</translation>
    </message>
    <message>
        <source>Prochaine Sortie</source>
        <translation>Next Exit</translation>
    </message>
    <message>
        <source>Calcul impossible : vérifiez la date (année entre -32767 et 32767) et les coordonnées du lieu.</source>
        <translation>Cannot compute: check the date (year between -32767 and 32767) and the site&apos;s coordinates.</translation>
    </message>
    <message>
        <source>Choisissez le pas du fichier d&apos;ensoleillement : 1 heure, 30 minutes, 10 minutes ou 1 minute.</source>
        <translation>Choose the sunshine file&apos;s step: 1 hour, 30 minutes, 10 minutes or 1 minute.</translation>
    </message>
    <message>
        <source>Aucune entrée du Soleil en un an</source>
        <translation>No entry of the Sun within a year</translation>
    </message>
    <message>
        <source>Aucune sortie du Soleil en un an</source>
        <translation>No exit of the Sun within a year</translation>
    </message>
    <message>
        <source>Recherche arrêtée</source>
        <translation>Search stopped</translation>
    </message>
    <message>
        <source>Le fichier d&apos;ensoleillement a été écrit dans :
%1</source>
        <translation>The sunshine file was written to:
%1</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre — année…</source>
        <translation>Sun in the window — year…</translation>
    </message>
    <message>
        <source>Le démarrage avec la session n&apos;a pas pu être réglé.</source>
        <translation>Starting with the session could not be set.</translation>
    </message>
</context>
<context>
    <name>lumora::SingleInstance</name>
    <message>
        <source>Lumora ne peut pas vérifier qu&apos;il n&apos;est pas déjà lancé : %1</source>
        <translation>Lumora cannot check that it is not already running: %1</translation>
    </message>
    <message>
        <source>aucun dossier n&apos;est à vous seul pour son verrou</source>
        <translation>no folder of your own for its lock</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas le fichier attendu</source>
        <translation>%1 is not the expected file</translation>
    </message>
    <message>
        <source>le verrou %1 ne peut pas être créé</source>
        <translation>the lock %1 cannot be made</translation>
    </message>
    <message>
        <source>Lumora est déjà lancé mais ne répond pas</source>
        <translation>Lumora is already running but does not respond</translation>
    </message>
</context>
<context>
    <name>lumora::SunCourseController</name>
    <message>
        <source>Course du Soleil ce jour</source>
        <translation>The Sun&apos;s course on this day</translation>
    </message>
    <message>
        <source>Solstices et équinoxe</source>
        <translation>Solstices and equinox</translation>
    </message>
    <message>
        <source>Lignes horaires (heure d&apos;hiver)</source>
        <translation>Hour lines (standard time)</translation>
    </message>
</context>
<context>
    <name>lumora::TrayIcon</name>
    <message>
        <source>Le Soleil est dans la fenêtre</source>
        <translation>The Sun is in the window</translation>
    </message>
    <message>
        <source>Il n&apos;y a pas de Soleil dans la fenêtre</source>
        <translation>There is no Sun in the window</translation>
    </message>
</context>
<context>
    <name>lumora::TrayMenu</name>
    <message>
        <source>Afficher Lumora</source>
        <translation>Show Lumora</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>lumora::YearChart</name>
    <message>
        <source>%1 h</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>nuit</source>
        <translation>night</translation>
    </message>
    <message>
        <source>jour</source>
        <translation>daylight</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre</source>
        <translation>Sun in the window</translation>
    </message>
    <message>
        <source>Heures locales, jour par jour</source>
        <translation>Local hours, day by day</translation>
    </message>
</context>
<context>
    <name>lumora::YearPlot</name>
    <message>
        <source>Calcul en cours…</source>
        <translation>Computing…</translation>
    </message>
</context>
<context>
    <name>lumora::YearView</name>
    <message>
        <source>Soleil dans la fenêtre — année</source>
        <translation>Sun in the window — year</translation>
    </message>
    <message>
        <source>Exporter l&apos;image…</source>
        <translation>Export the picture…</translation>
    </message>
    <message>
        <source>Exporter les intervalles…</source>
        <translation>Export the intervals…</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Calcul en cours…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre du %1 au %2</source>
        <translation>Sun in the window from %1 to %2</translation>
    </message>
    <message>
        <source>Total sur l&apos;année : %1 h de Soleil dans la fenêtre</source>
        <translation>Year&apos;s total: %1 h of Sun in the window</translation>
    </message>
    <message>
        <source>%1 %2 (heure locale) — azimut %3, élévation %4 — %5
Ce jour : %6 de Soleil dans la fenêtre</source>
        <translation>%1 %2 (local time) — azimuth %3, elevation %4 — %5
This day: %6 of Sun in the window</translation>
    </message>
    <message>
        <source>Soleil dans la fenêtre</source>
        <translation>Sun in the window</translation>
    </message>
    <message>
        <source>hors de la fenêtre</source>
        <translation>outside the window</translation>
    </message>
    <message>
        <source>Survolez le calendrier pour lire un jour et une heure ; un clic les affiche dans la fenêtre principale.</source>
        <translation>Point at the calendar to read a day and an hour; a click shows them in the main window.</translation>
    </message>
    <message>
        <source>Exporter l&apos;image</source>
        <translation>Export the picture</translation>
    </message>
    <message>
        <source>Images PNG (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>L&apos;image n&apos;a pas pu être enregistrée dans %1</source>
        <translation>The picture could not be saved to %1</translation>
    </message>
    <message>
        <source>Exporter les intervalles</source>
        <translation>Export the intervals</translation>
    </message>
    <message>
        <source>Fichiers CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Le disque est plein : impossible d&apos;écrire %1</source>
        <translation>The disk is full: cannot write %1</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire %1 : %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
</TS>
