<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AggregatorDialogs</name>
    <message>
        <source>Update Aggregator database</source>
        <translation>Aggregator-Datenbank aktualisieren</translation>
    </message>
    <message>
        <source>This option will update the internal aggregator database.
The aggregator database is a compression for PokerTracker 3 databases.
Scanning with this aggregator database will be significantly faster.
If you feel that your database is pretty big and scanning is way too, then slow you should use this aggregator database.

By pressing &quot;Yes&quot; a process will be started to compress the PokerTracker3 databases you configured Velloran with.
This process may run for several minutes and can not be aborted.
Velloran will be unusable during this process.

To use the aggregator database you need to check &quot;Aggregator-&gt;Use Aggregator Database&quot; in the Velloran menu.</source>
        <translation>Diese Funktion aktualisiert die interne Aggregator-Datenbank.
Die Aggregator-Datenbank ist eine verdichtete Fassung von PokerTracker-3-Datenbanken.
Mit ihr geht das Scannen deutlich schneller.
Wenn Ihre Datenbank ziemlich groß ist und das Scannen viel zu langsam, sollten Sie diese Aggregator-Datenbank verwenden.

Mit „Ja“ startet ein Vorgang, der die PokerTracker-3-Datenbanken verdichtet, die Sie in Velloran eingerichtet haben.
Dieser Vorgang kann mehrere Minuten dauern und lässt sich nicht abbrechen.
So lange ist Velloran nicht benutzbar.

Um die Aggregator-Datenbank zu verwenden, haken Sie im Velloran-Menü „PT3-Aggregator &gt; Aggregator-Datenbank verwenden“ an.</translation>
    </message>
    <message>
        <source>About PT3 Aggregator</source>
        <translation>Über den PT3-Aggregator</translation>
    </message>
    <message>
        <source>The Aggregator Database is a compression for PokerTracker 3 databases.
It should significantly improve the scanning speed with big databases.

Before you can use the Aggregator database you need to &quot;update&quot; the Aggregator database.
Updating the Aggregator will lead to a snapshop of your current PokerTracker 3 database.
Thus you should update the database after each bigger import.
Otherwise you will not be able to use the newly imported player statistics.</source>
        <translation>Die Aggregator-Datenbank ist eine verdichtete Fassung von PokerTracker-3-Datenbanken.
Bei großen Datenbanken sollte sie das Scannen deutlich beschleunigen.

Bevor Sie die Aggregator-Datenbank verwenden können, müssen Sie sie „aktualisieren“.
Das Aktualisieren erstellt eine Momentaufnahme Ihrer aktuellen PokerTracker-3-Datenbank.
Aktualisieren Sie die Datenbank deshalb nach jedem größeren Import.
Sonst können Sie die Statistiken neu importierter Spieler nicht nutzen.</translation>
    </message>
    <message>
        <source>Update complete</source>
        <translation>Aktualisierung abgeschlossen</translation>
    </message>
</context>
<context>
    <name>ColourKey</name>
    <message>
        <source>Colours of the Profile page:</source>
        <translation>Farben der Profil-Seite:</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
</context>
<context>
    <name>Columns</name>
    <message>
        <source>Seat</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>The seat at the table</source>
        <translation>Sein Platz am Tisch</translation>
    </message>
    <message>
        <source>Screenname</source>
        <translation>Spielername</translation>
    </message>
    <message>
        <source>The player&apos;s screen name</source>
        <translation>Der Name, unter dem der Spieler spielt</translation>
    </message>
    <message>
        <source>Autorate</source>
        <translation>Autorate</translation>
    </message>
    <message>
        <source>The player&apos;s type, as the tracker&apos;s autorate profiles call it (point at a code for its meaning in the tracker)</source>
        <translation>Der Spielertyp, wie ihn die Autorate-Profile des Trackers nennen (zeigen Sie auf ein Kürzel, um seine Bedeutung im Tracker zu sehen)</translation>
    </message>
    <message>
        <source>Buddy</source>
        <translation>Buddy</translation>
    </message>
    <message>
        <source>Checked: the player is on your buddy list</source>
        <translation>Angehakt: Der Spieler steht auf Ihrer Buddyliste</translation>
    </message>
    <message>
        <source>Stack</source>
        <translation>Stack</translation>
    </message>
    <message>
        <source>His chips at the table</source>
        <translation>Seine Chips am Tisch</translation>
    </message>
    <message>
        <source>Hands</source>
        <translation>Hände</translation>
    </message>
    <message>
        <source>His hands in your databases; coloured by the Hands profile</source>
        <translation>Seine Hände in Ihren Datenbanken; eingefärbt nach dem Hände-Profil</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gewinn</translation>
    </message>
    <message>
        <source>What he has won overall; the biggest losers come first</source>
        <translation>Was er insgesamt gewonnen hat; die größten Verlierer zuerst</translation>
    </message>
    <message>
        <source>BB/100</source>
        <translation>BB/100</translation>
    </message>
    <message>
        <source>VPIP</source>
        <translation>VPIP</translation>
    </message>
    <message>
        <source>How often he puts money in the pot voluntarily (%), with its 95 % credible range in the cell&apos;s tooltip; coloured by the VPIP profile</source>
        <translation>Wie oft er freiwillig Geld in den Pot bringt (%), mit dem 95-%-Glaubwürdigkeitsintervall im Tooltip der Zelle; eingefärbt nach dem VPIP-Profil</translation>
    </message>
    <message>
        <source>PFR</source>
        <translation>PFR</translation>
    </message>
    <message>
        <source>How often he raises before the flop (%); coloured by the PFR profile</source>
        <translation>Wie oft er vor dem Flop erhöht (%); eingefärbt nach dem PFR-Profil</translation>
    </message>
    <message>
        <source>AF</source>
        <translation>AF</translation>
    </message>
    <message>
        <source>His aggression factor (bets and raises per call); coloured by the AF profile</source>
        <translation>Sein Aggressionsfaktor (Bets und Raises je Call); eingefärbt nach dem AF-Profil</translation>
    </message>
    <message>
        <source>WTSD</source>
        <translation>WTSD</translation>
    </message>
    <message>
        <source>How often he goes to showdown after the flop (%); coloured by the WTSD profile</source>
        <translation>Wie oft er nach dem Flop zum Showdown geht (%); eingefärbt nach dem WTSD-Profil</translation>
    </message>
    <message>
        <source>Won SD</source>
        <translation>Gew. SD</translation>
    </message>
    <message>
        <source>How often he wins at showdown (%)</source>
        <translation>Wie oft er im Showdown gewinnt (%)</translation>
    </message>
    <message>
        <source>Flop AF</source>
        <translation>Flop-AF</translation>
    </message>
    <message>
        <source>His aggression on the flop</source>
        <translation>Seine Aggression am Flop</translation>
    </message>
    <message>
        <source>Turn AF</source>
        <translation>Turn-AF</translation>
    </message>
    <message>
        <source>His aggression on the turn</source>
        <translation>Seine Aggression am Turn</translation>
    </message>
    <message>
        <source>River AF</source>
        <translation>River-AF</translation>
    </message>
    <message>
        <source>His aggression on the river</source>
        <translation>Seine Aggression am River</translation>
    </message>
    <message>
        <source>Att. Steal</source>
        <translation>Steal-Vers.</translation>
    </message>
    <message>
        <source>How often he tries to steal the blinds (%); coloured by its profile</source>
        <translation>Wie oft er versucht, die Blinds zu stehlen (%); eingefärbt nach dem zugehörigen Profil</translation>
    </message>
    <message>
        <source>Fold SB t.S.</source>
        <translation>Fold SB g. St.</translation>
    </message>
    <message>
        <source>Fold SB</source>
        <translation>Fold SB</translation>
    </message>
    <message>
        <source>How often he folds his small blind to a steal (%); coloured by its profile</source>
        <translation>Wie oft er seinen Small Blind gegen einen Steal aufgibt (%); eingefärbt nach dem zugehörigen Profil</translation>
    </message>
    <message>
        <source>Fold BB t.S.</source>
        <translation>Fold BB g. St.</translation>
    </message>
    <message>
        <source>Fold BB</source>
        <translation>Fold BB</translation>
    </message>
    <message>
        <source>How often he folds his big blind to a steal (%); coloured by its profile</source>
        <translation>Wie oft er seinen Big Blind gegen einen Steal aufgibt (%); eingefärbt nach dem zugehörigen Profil</translation>
    </message>
    <message>
        <source>Conti Bet Flop</source>
        <translation>C-Bet Flop</translation>
    </message>
    <message>
        <source>Conti Bet</source>
        <translation>C-Bet</translation>
    </message>
    <message>
        <source>How often he bets the flop after raising before it (%); coloured by its profile</source>
        <translation>Wie oft er am Flop setzt, nachdem er vor dem Flop erhöht hat (%); eingefärbt nach dem zugehörigen Profil</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>Schwach</translation>
    </message>
    <message>
        <source>The chance that his true VPIP is above the mark the Display page sets, judged by his hands so far: what he adds to his table&apos;s score</source>
        <translation>Die Wahrscheinlichkeit, dass sein wahrer VPIP über der auf der Seite „Anzeige“ eingestellten Marke liegt, beurteilt nach seinen bisherigen Händen: sein Beitrag zur Wertung seines Tisches</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Tablename</source>
        <translation>Tischname</translation>
    </message>
    <message>
        <source>The table; green when you sit there yourself, grey while its figures are from an earlier pass</source>
        <translation>Der Tisch; grün, wenn Sie selbst dort sitzen, grau, solange seine Zahlen von einem früheren Durchgang stammen</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>The stakes: small blind / big blind</source>
        <translation>Die Einsätze: Small Blind / Big Blind</translation>
    </message>
    <message>
        <source>WL</source>
        <translation>WL</translation>
    </message>
    <message>
        <source>The waiting list: players waiting for a seat, as the lobby counts them; point at a number for their names</source>
        <translation>Die Warteliste: Spieler, die auf einen Platz warten, wie die Lobby sie zählt; der Zeiger auf eine Zahl zeigt ihre Namen</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Players seated: the lobby&apos;s count, or the seats a scan read</source>
        <translation>Sitzende Spieler: die Zahl aus der Lobby oder die Plätze, die ein Scan gelesen hat</translation>
    </message>
    <message>
        <source>Avg. Pot</source>
        <translation>Ø Pot</translation>
    </message>
    <message>
        <source>The average pot as the lobby shows it</source>
        <translation>Der durchschnittliche Pot, wie ihn die Lobby zeigt</translation>
    </message>
    <message>
        <source>Avg. VPIP</source>
        <translation>Ø VPIP</translation>
    </message>
    <message>
        <source>How often they put money in the pot voluntarily (%), averaged over the players with more hands than the Profile page&apos;s minimum; coloured by the VPIP profile</source>
        <translation>Wie oft sie freiwillig Geld in den Pot bringen (%), gemittelt über die Spieler mit mehr Händen als dem Minimum der Seite „Profil“; eingefärbt nach dem VPIP-Profil</translation>
    </message>
    <message>
        <source>Avg. PFR</source>
        <translation>Ø PFR</translation>
    </message>
    <message>
        <source>How often they raise before the flop (%), averaged likewise; coloured by the PFR profile</source>
        <translation>Wie oft sie vor dem Flop erhöhen (%), ebenso gemittelt; eingefärbt nach dem PFR-Profil</translation>
    </message>
    <message>
        <source>Avg. AF</source>
        <translation>Ø AF</translation>
    </message>
    <message>
        <source>Their aggression factor (bets and raises per call), averaged likewise</source>
        <translation>Ihr Aggressionsfaktor (Bets und Raises je Call), ebenso gemittelt</translation>
    </message>
    <message>
        <source>Avg. WTSD</source>
        <translation>Ø WTSD</translation>
    </message>
    <message>
        <source>How often they go to showdown after the flop (%), averaged likewise; coloured by the WTSD profile</source>
        <translation>Wie oft sie nach dem Flop zum Showdown gehen (%), ebenso gemittelt; eingefärbt nach dem WTSD-Profil</translation>
    </message>
    <message>
        <source># Reads</source>
        <translation># Reads</translation>
    </message>
    <message>
        <source>R / K: players with more hands than the minimum / players the databases know</source>
        <translation>R / K: Spieler mit mehr Händen als dem Minimum / Spieler, die die Datenbanken kennen</translation>
    </message>
    <message>
        <source># Buddies</source>
        <translation># Buddys</translation>
    </message>
    <message>
        <source>Players at the table who are on your buddy list</source>
        <translation>Spieler am Tisch, die auf Ihrer Buddyliste stehen</translation>
    </message>
    <message>
        <source># Loser</source>
        <translation># Verlierer</translation>
    </message>
    <message>
        <source>Players with hands in the databases who have lost money overall</source>
        <translation>Spieler mit Händen in den Datenbanken, die insgesamt Geld verloren haben</translation>
    </message>
    <message>
        <source>Tot.Stacks</source>
        <translation>Summe Stacks</translation>
    </message>
    <message>
        <source>The chips of every seated player together</source>
        <translation>Die Chips aller sitzenden Spieler zusammen</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>The expected number of weak players at the table: each player counts with the chance that his true VPIP is above the mark the Display page sets, judged by his hands so far (one without hands by the guess set there). Rows from the score set there on are tinted green</source>
        <translation>Die erwartete Zahl schwacher Spieler am Tisch: Jeder Spieler zählt mit der Wahrscheinlichkeit, dass sein wahrer VPIP über der auf der Seite „Anzeige“ eingestellten Marke liegt, beurteilt nach seinen bisherigen Händen (einer ohne Hände nach der dort eingestellten Schätzung). Zeilen ab der dort eingestellten Wertung sind grün hinterlegt</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Fish</source>
        <translation>Fisch</translation>
    </message>
    <message>
        <source>Money</source>
        <translation>Geld</translation>
    </message>
    <message>
        <source>User defined 1</source>
        <translation>Benutzerdefiniert 1</translation>
    </message>
    <message>
        <source>User defined 2</source>
        <translation>Benutzerdefiniert 2</translation>
    </message>
    <message>
        <source>User defined 3</source>
        <translation>Benutzerdefiniert 3</translation>
    </message>
    <message>
        <source>Bomb</source>
        <translation>Bombe</translation>
    </message>
    <message>
        <source>Gamble</source>
        <translation>Zocker</translation>
    </message>
    <message>
        <source>Rock</source>
        <translation>Fels</translation>
    </message>
    <message>
        <source>Maniac</source>
        <translation>Maniac</translation>
    </message>
    <message>
        <source>Question mark</source>
        <translation>Fragezeichen</translation>
    </message>
    <message>
        <source>Calling station</source>
        <translation>Calling Station</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Maus</translation>
    </message>
    <message>
        <source>Elephant</source>
        <translation>Elefant</translation>
    </message>
    <message>
        <source>Eagle</source>
        <translation>Adler</translation>
    </message>
    <message>
        <source>Tight: plays few hands (VPIP)</source>
        <translation>Tight: spielt wenige Hände (VPIP)</translation>
    </message>
    <message>
        <source>Semi-loose: plays a fair share of hands (VPIP)</source>
        <translation>Semi-loose: spielt recht viele Hände (VPIP)</translation>
    </message>
    <message>
        <source>Loose: plays many hands (VPIP)</source>
        <translation>Loose: spielt sehr viele Hände (VPIP)</translation>
    </message>
    <message>
        <source>Passive before the flop: seldom raises (PFR)</source>
        <translation>Passiv vor dem Flop: erhöht selten (PFR)</translation>
    </message>
    <message>
        <source>Passive after the flop: calls more than he bets (AF)</source>
        <translation>Passiv nach dem Flop: callt öfter, als er setzt (AF)</translation>
    </message>
    <message>
        <source>Aggressive before the flop: raises often (PFR)</source>
        <translation>Aggressiv vor dem Flop: erhöht oft (PFR)</translation>
    </message>
    <message>
        <source>Aggressive after the flop: bets and raises more than he calls (AF)</source>
        <translation>Aggressiv nach dem Flop: setzt und erhöht öfter, als er callt (AF)</translation>
    </message>
</context>
<context>
    <name>HudStats</name>
    <message>
        <source>VPIP</source>
        <translation>VPIP</translation>
    </message>
    <message>
        <source>PFR</source>
        <translation>PFR</translation>
    </message>
    <message>
        <source>Hands</source>
        <translation>Hände</translation>
    </message>
    <message>
        <source>AF</source>
        <translation>AF</translation>
    </message>
    <message>
        <source>Went to SD</source>
        <translation>Zum Showdown</translation>
    </message>
    <message>
        <source>Att. to Steal</source>
        <translation>Steal-Versuch</translation>
    </message>
    <message>
        <source>Fold SB t.S.</source>
        <translation>Fold SB g. Steal</translation>
    </message>
    <message>
        <source>Fold BB t.S.</source>
        <translation>Fold BB g. Steal</translation>
    </message>
    <message>
        <source>3-bet/Cap</source>
        <translation>3-Bet/Cap</translation>
    </message>
    <message>
        <source>Cont. Bet Flop</source>
        <translation>C-Bet Flop</translation>
    </message>
</context>
<context>
    <name>JobProgress</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>&amp;Main</source>
        <translation>&amp;Programm</translation>
    </message>
    <message>
        <source>&amp;Options…</source>
        <translation>&amp;Einstellungen…</translation>
    </message>
    <message>
        <source>Options dialog</source>
        <translation>Einstellungsdialog</translation>
    </message>
    <message>
        <source>Options dialog.</source>
        <translation>Einstellungsdialog.</translation>
    </message>
    <message>
        <source>&amp;Teach Font…</source>
        <translation>&amp;Schrift anlernen…</translation>
    </message>
    <message>
        <source>Teach the recogniser your client&apos;s lobby font</source>
        <translation>Bringt der Texterkennung die Lobby-Schrift Ihres Clients bei</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Tables</source>
        <translation>&amp;Tische</translation>
    </message>
    <message>
        <source>&amp;Get Table List</source>
        <translation>Tisch&amp;liste abrufen</translation>
    </message>
    <message>
        <source>Retrieve list of available tables</source>
        <translation>Liste der verfügbaren Tische abrufen</translation>
    </message>
    <message>
        <source>Scan &amp;Selected Table</source>
        <translation>Auswahl &amp;scannen</translation>
    </message>
    <message>
        <source>Scans the currently selected table</source>
        <translation>Scannt den ausgewählten Tisch</translation>
    </message>
    <message>
        <source>Scan &amp;All Tables</source>
        <translation>&amp;Alle Tische scannen</translation>
    </message>
    <message>
        <source>Reloads the tablelist and starts the scanning of all tables, which suffice the specified filter.</source>
        <translation>Liest die Tischliste neu und scannt alle Tische, die den eingestellten Filter erfüllen.</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open the table</source>
        <translation>Den Tisch öffnen</translation>
    </message>
    <message>
        <source>&amp;Cancel Scan</source>
        <translation>Scan a&amp;bbrechen</translation>
    </message>
    <message>
        <source>Ends the running scan</source>
        <translation>Beendet den laufenden Scan</translation>
    </message>
    <message>
        <source>&amp;Buddylist</source>
        <translation>&amp;Buddyliste</translation>
    </message>
    <message>
        <source>&amp;Show…</source>
        <translation>&amp;Anzeigen…</translation>
    </message>
    <message>
        <source>Open the buddylist</source>
        <translation>Die Buddyliste öffnen</translation>
    </message>
    <message>
        <source>Open the buddylist.</source>
        <translation>Die Buddyliste öffnen.</translation>
    </message>
    <message>
        <source>&amp;Add…</source>
        <translation>&amp;Hinzufügen…</translation>
    </message>
    <message>
        <source>Add a player to buddylist</source>
        <translation>Einen Spieler zur Buddyliste hinzufügen</translation>
    </message>
    <message>
        <source>Import from &amp;Database…</source>
        <translation>Aus &amp;Datenbank importieren…</translation>
    </message>
    <message>
        <source>Import player from databases</source>
        <translation>Spieler aus Datenbanken importieren</translation>
    </message>
    <message>
        <source>CSV-&amp;Import…</source>
        <translation>Aus CSV-Datei &amp;importieren…</translation>
    </message>
    <message>
        <source>Import buddylist to file</source>
        <translation>Buddyliste aus einer Datei importieren</translation>
    </message>
    <message>
        <source>CSV-&amp;Export…</source>
        <translation>In CSV-Datei &amp;exportieren…</translation>
    </message>
    <message>
        <source>Export buddylist to file</source>
        <translation>Buddyliste in eine Datei exportieren</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>A&amp;ktualisierung</translation>
    </message>
    <message>
        <source>&amp;Check for Updates on Startup</source>
        <translation>Beim &amp;Start nach Updates suchen</translation>
    </message>
    <message>
        <source>Visit &amp;Download Page</source>
        <translation>&amp;Downloadseite besuchen</translation>
    </message>
    <message>
        <source>&amp;PT3 Aggregator</source>
        <translation>PT3-A&amp;ggregator</translation>
    </message>
    <message>
        <source>&amp;Update database…</source>
        <translation>Datenbank &amp;aktualisieren…</translation>
    </message>
    <message>
        <source>U&amp;se Aggregator Database</source>
        <translation>Aggregator-Datenbank &amp;verwenden</translation>
    </message>
    <message>
        <source>&amp;Help / about Aggregator…</source>
        <translation>&amp;Hilfe / Über den Aggregator…</translation>
    </message>
    <message>
        <source>&amp;HUD</source>
        <translation>&amp;HUD-Anzeige</translation>
    </message>
    <message>
        <source>Nothing is drawn over the client&apos;s tables yet.</source>
        <translation>Über die Tische des Clients wird noch nichts gezeichnet.</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>&amp;Layout Manager…</source>
        <translation>&amp;Layout-Verwaltung…</translation>
    </message>
    <message>
        <source>Arrange the statistic boxes of each table size</source>
        <translation>Die Statistikfelder für jede Tischgröße anordnen</translation>
    </message>
    <message>
        <source>Default 6-max</source>
        <translation>Standard 6-max</translation>
    </message>
    <message>
        <source>Auto Center (FullTilt)</source>
        <translation>Automatisch zentrieren (FullTilt)</translation>
    </message>
    <message>
        <source>Player-filter</source>
        <translation>Spielerfilter</translation>
    </message>
    <message>
        <source>All to 6-max</source>
        <translation>Alle auf 6-max</translation>
    </message>
    <message>
        <source>All to fullring</source>
        <translation>Alle auf Full Ring</translation>
    </message>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Verlauf…</translation>
    </message>
    <message>
        <source>How the tables and players looked over the last days</source>
        <translation>Wie die Tische und Spieler in den letzten Tagen aussahen</translation>
    </message>
    <message>
        <source>&amp;Watch List…</source>
        <translation>Beobachtungs&amp;liste…</translation>
    </message>
    <message>
        <source>The players and rules that raise an alert when a scan meets them</source>
        <translation>Die Spieler und Regeln, die einen Alarm auslösen, wenn ein Scan auf sie trifft</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>Hi&amp;lfe</translation>
    </message>
    <message>
        <source>&amp;User Guide</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <source>How to use Kestrova Everest</source>
        <translation>So benutzen Sie Kestrova Everest</translation>
    </message>
    <message>
        <source>&amp;Keys</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source>The keys of the window</source>
        <translation>Die Tasten des Fensters</translation>
    </message>
    <message>
        <source>&amp;About Kestrova Everest…</source>
        <translation>Ü&amp;ber Kestrova Everest…</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Knownplayer :</source>
        <translation>Bekannte Spieler:</translation>
    </message>
    <message>
        <source>Connection to database failed: </source>
        <translation>Verbindung zur Datenbank fehlgeschlagen: </translation>
    </message>
    <message>
        <source>Database: </source>
        <translation>Datenbank: </translation>
    </message>
    <message>
        <source>Username: </source>
        <translation>Benutzername: </translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>Passwort: </translation>
    </message>
    <message>
        <source>Lobby list not found</source>
        <translation>Tischliste der Lobby nicht gefunden</translation>
    </message>
    <message>
        <source>Lobby not found</source>
        <translation>Lobby nicht gefunden</translation>
    </message>
    <message>
        <source>Everestclient not found or minimized</source>
        <translation>Everest-Client nicht gefunden oder minimiert</translation>
    </message>
    <message>
        <source>Table not found</source>
        <translation>Tisch nicht gefunden</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Error loading layout</source>
        <translation>Fehler beim Laden des Layouts</translation>
    </message>
    <message>
        <source>Error saving layout</source>
        <translation>Fehler beim Speichern des Layouts</translation>
    </message>
    <message>
        <source>Remark</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Please note, that the CSV-file got to have the following format:
playername1
playername2
playername3
...

 So make sure, when exporting the CSV-file from Pokertracker only the field &apos;playername&apos; is checked.</source>
        <translation>Bitte beachten Sie, dass die CSV-Datei folgendes Format haben muss:
playername1
playername2
playername3
...

 Achten Sie also beim Export der CSV-Datei aus Pokertracker darauf, dass nur das Feld „playername“ angehakt ist.</translation>
    </message>
    <message>
        <source>Import done</source>
        <translation>Import abgeschlossen</translation>
    </message>
    <message>
        <source>Import from file</source>
        <translation>Aus Datei importieren</translation>
    </message>
    <message>
        <source>Export to file</source>
        <translation>In Datei exportieren</translation>
    </message>
    <message>
        <source>Could not read the Everest buddylist</source>
        <translation>Die Everest-Buddyliste konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>Unable to save mofofish</source>
        <translation>mofofish konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Scan in progress...</source>
        <translation>Scan läuft...</translation>
    </message>
    <message>
        <source>...Please wait...
...importing...</source>
        <translation>...Bitte warten...
...Import läuft...</translation>
    </message>
    <message>
        <source>Error Capturing</source>
        <translation>Fehler bei der Bildschirmaufnahme</translation>
    </message>
    <message>
        <source>The update of the database is now complete</source>
        <translation>Die Aktualisierung der Datenbank ist abgeschlossen</translation>
    </message>
    <message>
        <source>The update of the database is now complete

The server could not add the trigram index (PostgreSQL extension pg_trgm), so look-ups through the aggregator database work without it and are slower.</source>
        <translation>Die Aktualisierung der Datenbank ist abgeschlossen

Der Server konnte den Trigramm-Index (PostgreSQL-Erweiterung pg_trgm) nicht anlegen; Abfragen über die Aggregator-Datenbank arbeiten daher ohne ihn und sind langsamer.</translation>
    </message>
    <message>
        <source>Please wait until the running scan has ended.</source>
        <translation>Bitte warten Sie, bis der laufende Scan beendet ist.</translation>
    </message>
    <message>
        <source>Please select the table from the tablelist which you want to scan.
Or press Full Scan to scan all tables</source>
        <translation>Bitte wählen Sie in der Tischliste den Tisch aus, den Sie scannen möchten.
Oder klicken Sie auf „Alle Tische scannen“, um alle Tische zu scannen.</translation>
    </message>
    <message>
        <source>Start the Everest client, log in and leave its lobby open (it may lie behind other windows, but not minimized), then try again.</source>
        <translation>Starten Sie den Everest-Client, melden Sie sich an und lassen Sie seine Lobby geöffnet (sie darf hinter anderen Fenstern liegen, aber nicht minimiert sein); versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>The lobby could not be read from the screen: keep it open and not minimized while the scan runs, and try again.</source>
        <translation>Die Lobby konnte nicht vom Bildschirm gelesen werden: Lassen Sie sie geöffnet und nicht minimiert, solange der Scan läuft, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Check the database&apos;s host, port, user and password under Main &gt; Options &gt; Databases, and that its server runs.</source>
        <translation>Prüfen Sie Host, Port, Benutzer und Passwort der Datenbank unter Programm &gt; Einstellungen &gt; Datenbanken und ob ihr Server läuft.</translation>
    </message>
    <message>
        <source>Check the database file under Main &gt; Options &gt; Databases; the other databases were asked all the same.</source>
        <translation>Prüfen Sie die Datenbankdatei unter Programm &gt; Einstellungen &gt; Datenbanken; die übrigen Datenbanken wurden trotzdem abgefragt.</translation>
    </message>
    <message>
        <source>Check that the database&apos;s server runs; the other databases were asked all the same.</source>
        <translation>Prüfen Sie, ob der Server der Datenbank läuft; die übrigen Datenbanken wurden trotzdem abgefragt.</translation>
    </message>
    <message>
        <source>Free some disk space or make the data folder writable, then press OK in the Options again.</source>
        <translation>Geben Sie Speicherplatz frei oder machen Sie den Datenordner beschreibbar und klicken Sie dann in den Einstellungen erneut auf „OK“.</translation>
    </message>
    <message>
        <source>Free some disk space or make the settings file writable, then save again.</source>
        <translation>Geben Sie Speicherplatz frei oder machen Sie die Einstellungsdatei beschreibbar und speichern Sie dann erneut.</translation>
    </message>
    <message>
        <source>Free some disk space or make the folder writable; nothing written before was lost.</source>
        <translation>Geben Sie Speicherplatz frei oder machen Sie den Ordner beschreibbar; zuvor Gespeichertes ist nicht verloren.</translation>
    </message>
    <message>
        <source>The running scan ends by itself, or with Esc.</source>
        <translation>Der laufende Scan endet von selbst oder mit Esc.</translation>
    </message>
    <message>
        <source>Get the table list again: the table may have closed.</source>
        <translation>Rufen Sie die Tischliste erneut ab: Der Tisch wurde vielleicht geschlossen.</translation>
    </message>
</context>
<context>
    <name>ScanProgress</name>
    <message>
        <source>Please Wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Getting the table list</source>
        <translation>Tischliste wird gelesen</translation>
    </message>
    <message>
        <source>Scanning all tables</source>
        <translation>Alle Tische werden gescannt</translation>
    </message>
    <message>
        <source>Scanning %1</source>
        <translation>%1 wird gescannt</translation>
    </message>
    <message>
        <source>Opening %1</source>
        <translation>%1 wird geöffnet</translation>
    </message>
    <message numerus="yes">
        <source>About %n seconds left</source>
        <translation>
            <numerusform>Noch etwa %n Sekunde</numerusform>
            <numerusform>Noch etwa %n Sekunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>About %n minutes left</source>
        <translation>
            <numerusform>Noch etwa %n Minute</numerusform>
            <numerusform>Noch etwa %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>Table %1: %2</source>
        <translation>Tisch %1: %2</translation>
    </message>
    <message>
        <source>Table %1 of %2: %3</source>
        <translation>Tisch %1 von %2: %3</translation>
    </message>
</context>
<context>
    <name>kestrova::AboutDialog</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>&lt;b&gt;Kestrova Everest v1.30&lt;/b&gt;&lt;br&gt;Finds the most profitable tables of the Everest Poker lobby from the statistics of your tracking databases.</source>
        <translation>&lt;b&gt;Kestrova Everest v1.30&lt;/b&gt;&lt;br&gt;Findet die profitabelsten Tische der Everest-Poker-Lobby anhand der Statistiken Ihrer Tracking-Datenbanken.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>kestrova::BuddyListWindow</name>
    <message>
        <source>Buddylist</source>
        <translation>Buddyliste</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Clear Search</source>
        <translation>Suche zurücksetzen</translation>
    </message>
    <message>
        <source>Note: You can select multiple Buddies for &apos;Search&apos; or &apos;Removal&apos;.
Just use CTRL or SHIFT keys.

The &apos;Search&apos; is a filter to your scanned tables.
 Deselect all buddies (if selected) and press &apos;Search&apos; to remove the filter.</source>
        <translation>Hinweis: Sie können mehrere Buddys für „Suchen“ oder „Entfernen“ auswählen.
Halten Sie dazu einfach Strg oder Umschalt gedrückt.

„Suchen“ filtert Ihre gescannten Tische.
 Heben Sie die Auswahl aller Buddys auf (falls welche ausgewählt sind)
 und klicken Sie auf „Suchen“, um den Filter zu entfernen.</translation>
    </message>
    <message>
        <source>Add player to list</source>
        <translation>Spieler zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Screenname :</source>
        <translation>Spielername:</translation>
    </message>
</context>
<context>
    <name>kestrova::CloseTab</name>
    <message>
        <source>Close table if number of player below:</source>
        <translation>Tisch schließen, wenn weniger Spieler als:</translation>
    </message>
    <message>
        <source>Close table if Avr. Pot not between (BB):</source>
        <translation>Tisch schließen, wenn Ø Pot nicht zwischen (BB):</translation>
    </message>
    <message>
        <source>Close table if more than </source>
        <translation>Tisch schließen, wenn mehr als </translation>
    </message>
    <message>
        <source>and</source>
        <translation>und</translation>
    </message>
    <message>
        <source>player with</source>
        <translation>Spieler mit</translation>
    </message>
    <message>
        <source>hands on it</source>
        <translation>Händen daran sitzen</translation>
    </message>
    <message>
        <source>Automatic closing by Potsize and player hands is currently only available for Party-/Empire Poker.</source>
        <translation>Das automatische Schließen nach Potgröße und Händen der Spieler gibt es derzeit nur für Party-/Empire Poker.</translation>
    </message>
</context>
<context>
    <name>kestrova::DBTab</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Add Database</source>
        <translation>Datenbank hinzufügen</translation>
    </message>
    <message>
        <source>Remove Database</source>
        <translation>Datenbank entfernen</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>DB</source>
        <translation>DB</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Type: </source>
        <translation>Typ: </translation>
    </message>
    <message>
        <source>Host (default &quot;localhost&quot;):</source>
        <translation>Host (Standard „localhost“):</translation>
    </message>
    <message>
        <source>Port (default &quot;5432&quot;): </source>
        <translation>Port (Standard „5432“): </translation>
    </message>
    <message>
        <source>Database : </source>
        <translation>Datenbank: </translation>
    </message>
    <message>
        <source>Username: </source>
        <translation>Benutzername: </translation>
    </message>
    <message>
        <source>Password: </source>
        <translation>Passwort: </translation>
    </message>
    <message>
        <source>Attention: Do not forget to activate the added database.
Just check the last column (active) to do so.
Otherwise the added database will not be used.</source>
        <translation>Achtung: Vergessen Sie nicht, die hinzugefügte Datenbank zu aktivieren.
Haken Sie dazu einfach die letzte Spalte (Aktiv) an.
Sonst wird die hinzugefügte Datenbank nicht verwendet.</translation>
    </message>
    <message>
        <source>%1
The list shows the databases before the damage; the file is rewritten only when you change the list.</source>
        <translation>%1
Die Liste zeigt die Datenbanken vor der Beschädigung; die Datei wird erst neu geschrieben, wenn Sie die Liste ändern.</translation>
    </message>
    <message>
        <source>No connection when the options opened</source>
        <translation>Keine Verbindung beim Öffnen der Einstellungen</translation>
    </message>
    <message>
        <source>Choose a Database file</source>
        <translation>Datenbankdatei auswählen</translation>
    </message>
    <message>
        <source>What the user guide says about the databases</source>
        <translation>Was das Handbuch über die Datenbanken sagt</translation>
    </message>
</context>
<context>
    <name>kestrova::DesktopNotifier</name>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Kestrova Everest: watch list</source>
        <translation>Kestrova Everest: Beobachtungsliste</translation>
    </message>
</context>
<context>
    <name>kestrova::DisplayTab</name>
    <message>
        <source>Display for tables:</source>
        <translation>Anzeige für Tische:</translation>
    </message>
    <message>
        <source>Display for players:</source>
        <translation>Anzeige für Spieler:</translation>
    </message>
    <message>
        <source>Show whole playerlist in MainWindow</source>
        <translation>Vollständige Spielerliste im Hauptfenster zeigen</translation>
    </message>
    <message>
        <source>Doubleclick left mousebutton on a table:</source>
        <translation>Doppelklick mit der linken Maustaste auf einen Tisch:</translation>
    </message>
    <message>
        <source>Join waitinglist</source>
        <translation>Auf die Warteliste setzen</translation>
    </message>
    <message>
        <source>Open table</source>
        <translation>Tisch öffnen</translation>
    </message>
    <message>
        <source>Table score (the expected number of weak players):</source>
        <translation>Tischwertung (die erwartete Zahl schwacher Spieler):</translation>
    </message>
    <message>
        <source>A player is weak when his VPIP is above (%):</source>
        <translation>Ein Spieler gilt als schwach ab einem VPIP über (%):</translation>
    </message>
    <message>
        <source>A player without hands is taken to play a VPIP of (%):</source>
        <translation>Für einen Spieler ohne Hände angenommener VPIP (%):</translation>
    </message>
    <message>
        <source>That guess counts as many hands as:</source>
        <translation>Diese Annahme zählt so viel wie Hände:</translation>
    </message>
    <message>
        <source>Tint a table from a score of:</source>
        <translation>Tisch grün hinterlegen ab einer Wertung von:</translation>
    </message>
</context>
<context>
    <name>kestrova::GeneralTab</name>
    <message>
        <source>Save scanresult to file</source>
        <translation>Scanergebnis in Datei speichern</translation>
    </message>
    <message>
        <source>Save the result of a scan to</source>
        <translation>Das Ergebnis eines Scans speichern in</translation>
    </message>
    <message>
        <source>Directory to which handhistories will be saved</source>
        <translation>Ordner, in dem die Handhistorien gespeichert werden</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Choose a directory</source>
        <translation>Einen Ordner auswählen</translation>
    </message>
    <message>
        <source>Extension (only for Party/Empire Poker)</source>
        <translation>Dateiendung (nur für Party/Empire Poker)</translation>
    </message>
    <message>
        <source>Specify file extension for handhistories</source>
        <translation>Dateiendung für Handhistorien festlegen</translation>
    </message>
    <message>
        <source>Handhistory file extension:</source>
        <translation>Dateiendung der Handhistorien:</translation>
    </message>
    <message>
        <source>Datamining (Party/Empire Poker)</source>
        <translation>Datamining (Party/Empire Poker)</translation>
    </message>
    <message>
        <source>Datamine observed only</source>
        <translation>Nur beobachtete Hände sammeln</translation>
    </message>
    <message>
        <source>If checked, then hand in which you were dealt cards are not gathered</source>
        <translation>Wenn angehakt, werden Hände, in denen Sie selbst Karten bekommen haben, nicht gesammelt</translation>
    </message>
    <message>
        <source>Add 6-max tag</source>
        <translation>6-max-Kennung hinzufügen</translation>
    </message>
    <message>
        <source>Add old 6-max tag do handhistories</source>
        <translation>Die alte 6-max-Kennung zu den Handhistorien hinzufügen</translation>
    </message>
    <message>
        <source>If checked, then the old style 6 max tag will be added to handhistories</source>
        <translation>Wenn angehakt, wird die alte 6-max-Kennung zu den Handhistorien hinzugefügt</translation>
    </message>
    <message>
        <source>Realtime Mode</source>
        <translation>Echtzeitmodus</translation>
    </message>
    <message>
        <source>Raise this value if you have a slow computer</source>
        <translation>Erhöhen Sie diesen Wert bei einem langsamen Computer</translation>
    </message>
    <message>
        <source>Raise this value if you have a slow computer. Too high values can result in dataloss.</source>
        <translation>Erhöhen Sie diesen Wert bei einem langsamen Computer. Zu hohe Werte können zu Datenverlust führen.</translation>
    </message>
    <message>
        <source>Delay between passes:</source>
        <translation>Pause zwischen den Durchläufen:</translation>
    </message>
    <message>
        <source>Tablescanning</source>
        <translation>Tischscan</translation>
    </message>
    <message>
        <source>Display statistics for current limit only (only works with Pokertracker)</source>
        <translation>Statistiken nur für das aktuelle Limit anzeigen (nur mit Pokertracker)</translation>
    </message>
    <message>
        <source>Activate this feature</source>
        <translation>Diese Funktion einschalten</translation>
    </message>
    <message>
        <source>If checked, then only the statistics of the current limit of a player are displayed.</source>
        <translation>Wenn angehakt, werden von einem Spieler nur die Statistiken im aktuellen Limit angezeigt.</translation>
    </message>
    <message>
        <source>Enable databasecaching (improves performance)</source>
        <translation>Datenbank-Cache einschalten (verbessert die Leistung)</translation>
    </message>
    <message>
        <source>Enable/disable databasecaching</source>
        <translation>Datenbank-Cache ein- oder ausschalten</translation>
    </message>
    <message>
        <source>If checked, databasecaching is enabled.</source>
        <translation>Wenn angehakt, ist der Datenbank-Cache eingeschaltet.</translation>
    </message>
    <message>
        <source>Wait only as long as the client needs to draw</source>
        <translation>Nur so lange warten, wie der Client zum Zeichnen braucht</translation>
    </message>
    <message>
        <source>Read each row and seat list as soon as the client has drawn it</source>
        <translation>Jede Zeile und Platzliste lesen, sobald der Client sie gezeichnet hat</translation>
    </message>
    <message>
        <source>If checked, scans watch the lobby and go on as soon as it is drawn; the fixed waits stay the upper bound.</source>
        <translation>Wenn angehakt, beobachten Scans die Lobby und machen weiter, sobald sie gezeichnet ist; die festen Wartezeiten bleiben die Obergrenze.</translation>
    </message>
    <message>
        <source>Specify how long to cache the statistics. If a value is cached no new value will be retrieved.</source>
        <translation>Legt fest, wie lange die Statistiken zwischengespeichert werden. Solange ein Wert zwischengespeichert ist, wird kein neuer abgerufen.</translation>
    </message>
    <message>
        <source>Try to raise this value if no statistics are displayed</source>
        <translation>Erhöhen Sie diesen Wert, wenn keine Statistiken angezeigt werden</translation>
    </message>
    <message>
        <source>Try to raise this value if no statistics are displayed.</source>
        <translation>Erhöhen Sie diesen Wert, wenn keine Statistiken angezeigt werden.</translation>
    </message>
    <message>
        <source>How long to cache data (in sec, min. is  120):</source>
        <translation>Daten zwischenspeichern (s, mind. 120):</translation>
    </message>
    <message>
        <source>How long to wait for Playerlist (in msec):</source>
        <translation>Wie lange auf die Spielerliste warten (in ms):</translation>
    </message>
    <message>
        <source>Head-Up-Display</source>
        <translation>Head-up-Display</translation>
    </message>
    <message>
        <source>Enable playerfilter</source>
        <translation>Spielerfilter einschalten</translation>
    </message>
    <message>
        <source>Enable this to filter the statistics by the number of player at the table.
Some players play drastically different when playing 4 handed then they do 10 handed.
The applied filters are as follows:
- Heads up: 2 player
- Very short: 3-4 player
- Short: 5-6 player
- Full ring: 7-10 player</source>
        <translation>Schalten Sie dies ein, um die Statistiken nach der Zahl der Spieler am Tisch zu filtern.
Manche Spieler spielen zu viert völlig anders als zu zehnt.
Es gelten folgende Filter:
- Heads-up: 2 Spieler
- Sehr kurz: 3–4 Spieler
- Kurz: 5–6 Spieler
- Full Ring: 7–10 Spieler</translation>
    </message>
    <message>
        <source>Destination directory</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Scan history (from the next start)</source>
        <translation>Scan-Verlauf (ab dem nächsten Start)</translation>
    </message>
    <message>
        <source>no history</source>
        <translation>kein Verlauf</translation>
    </message>
    <message>
        <source> days</source>
        <translation> Tage</translation>
    </message>
    <message>
        <source>empty: history.sqlite in the data folder</source>
        <translation>leer: history.sqlite im Datenordner</translation>
    </message>
    <message>
        <source>A PostgreSQL server that several scanners share, such as &quot;host=db.example.org dbname=history user=scanner&quot;; the password goes into the PostgreSQL password file (~/.pgpass), never here.</source>
        <translation>Ein PostgreSQL-Server, den sich mehrere Scanner teilen, etwa „host=db.example.org dbname=history user=scanner“; das Passwort gehört in die Passwortdatei von PostgreSQL (~/.pgpass), nie hierher.</translation>
    </message>
    <message>
        <source>&amp;Keep what the scans read for:</source>
        <translation>Scan-Daten &amp;aufbewahren für:</translation>
    </message>
    <message>
        <source>Shared history &amp;server:</source>
        <translation>Gemeinsamer Verlaufs-&amp;Server:</translation>
    </message>
</context>
<context>
    <name>kestrova::HelpWindow</name>
    <message>
        <source>Kestrova Everest User Guide</source>
        <translation>Kestrova Everest – Handbuch</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>kestrova::HistoryActions</name>
    <message>
        <source>&amp;History…</source>
        <translation>&amp;Verlauf…</translation>
    </message>
    <message>
        <source>Stop &amp;watching</source>
        <translation>Nicht mehr &amp;beobachten</translation>
    </message>
    <message>
        <source>&amp;Watch</source>
        <translation>&amp;Beobachten</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>No scan history is kept: it could not be opened, or &quot;historydays&quot; is 0.</source>
        <translation>Es wird kein Scan-Verlauf geführt: Er ließ sich nicht öffnen, oder „historydays“ ist 0.</translation>
    </message>
    <message>
        <source>%1 is no longer watched.</source>
        <translation>%1 wird nicht mehr beobachtet.</translation>
    </message>
    <message>
        <source>%1 is still watched: %2</source>
        <translation>%1 wird weiter beobachtet: %2</translation>
    </message>
    <message>
        <source>%1 is watched now: a scan that finds him at a table tells you.</source>
        <translation>%1 wird jetzt beobachtet: Ein Scan, der ihn an einem Tisch findet, meldet es Ihnen.</translation>
    </message>
    <message>
        <source>%1 could not be watched: %2</source>
        <translation>%1 konnte nicht beobachtet werden: %2</translation>
    </message>
</context>
<context>
    <name>kestrova::HistoryWindow</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Last 24 hours</source>
        <translation>Letzte 24 Stunden</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>Letzte 30 Tage</translation>
    </message>
    <message>
        <source>Everything kept</source>
        <translation>Alles Gespeicherte</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>&amp;Anzeigen</translation>
    </message>
    <message>
        <source>&amp;Table:</source>
        <translation>&amp;Tisch:</translation>
    </message>
    <message>
        <source>S&amp;how</source>
        <translation>Anzei&amp;gen</translation>
    </message>
    <message>
        <source>&amp;Player:</source>
        <translation>&amp;Spieler:</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Stakes</source>
        <translation>Einsätze</translation>
    </message>
    <message>
        <source>Seat</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Chips</source>
        <translation>Chips</translation>
    </message>
    <message>
        <source>Hands</source>
        <translation>Hände</translation>
    </message>
    <message>
        <source>VPIP</source>
        <translation>VPIP</translation>
    </message>
    <message>
        <source>Weak</source>
        <translation>Schwach</translation>
    </message>
    <message>
        <source>T&amp;able</source>
        <translation>Tis&amp;ch</translation>
    </message>
    <message>
        <source>P&amp;layer</source>
        <translation>Spie&amp;ler</translation>
    </message>
    <message>
        <source>P&amp;eriod:</source>
        <translation>&amp;Zeitraum:</translation>
    </message>
    <message>
        <source>Looking %1 up…</source>
        <translation>%1 wird nachgeschlagen…</translation>
    </message>
    <message>
        <source>Players seated</source>
        <translation>Sitzende Spieler</translation>
    </message>
    <message>
        <source>Average pot</source>
        <translation>Durchschnittlicher Pot</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>%1 was not read in this period.</source>
        <translation>%1 wurde in diesem Zeitraum nicht gelesen.</translation>
    </message>
    <message numerus="yes">
        <source>%1: read %n time(s), last at %2.</source>
        <translation>
            <numerusform>%1: %n-mal gelesen, zuletzt %2.</numerusform>
            <numerusform>%1: %n-mal gelesen, zuletzt %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>When he plays (sightings by hour and weekday)</source>
        <translation>Wann er spielt (Sichtungen nach Stunde und Wochentag)</translation>
    </message>
    <message>
        <source>%1 was not seen in this period.</source>
        <translation>%1 wurde in diesem Zeitraum nicht gesehen.</translation>
    </message>
    <message numerus="yes">
        <source>%1: seen %n time(s), last at %2 at %3.</source>
        <translation>
            <numerusform>%1: %n-mal gesehen, zuletzt %2 am Tisch %3.</numerusform>
            <numerusform>%1: %n-mal gesehen, zuletzt %2 am Tisch %3.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: no readings in this period</source>
        <translation>%1: keine Werte in diesem Zeitraum</translation>
    </message>
</context>
<context>
    <name>kestrova::ImportPlayersDialog</name>
    <message>
        <source>Import player from databases</source>
        <translation>Spieler aus Datenbanken importieren</translation>
    </message>
    <message>
        <source>VPIP between :</source>
        <translation>VPIP zwischen:</translation>
    </message>
    <message>
        <source>PFR between :</source>
        <translation>PFR zwischen:</translation>
    </message>
    <message>
        <source>AF between :</source>
        <translation>AF zwischen:</translation>
    </message>
    <message>
        <source>Minimum number of Hands :</source>
        <translation>Mindestzahl an Händen:</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>kestrova::KeysDialog</name>
    <message>
        <source>Keys</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>%1 on a table row</source>
        <translation>%1 auf einer Tischzeile</translation>
    </message>
    <message>
        <source>Double click on a table row</source>
        <translation>Doppelklick auf eine Tischzeile</translation>
    </message>
    <message>
        <source>Open, when the Display page of the options says so</source>
        <translation>Öffnen, wenn die Anzeige-Seite der Einstellungen es vorsieht</translation>
    </message>
    <message>
        <source>Alt + underlined letter</source>
        <translation>Alt + unterstrichener Buchstabe</translation>
    </message>
    <message>
        <source>That menu, button or field</source>
        <translation>Das Menü, die Schaltfläche oder das Feld dazu</translation>
    </message>
</context>
<context>
    <name>kestrova::LayoutManagerDialog</name>
    <message>
        <source>Layout Manager</source>
        <translation>Layout-Verwaltung</translation>
    </message>
    <message>
        <source>6 max</source>
        <translation>6-max</translation>
    </message>
    <message>
        <source>9 max</source>
        <translation>9-max</translation>
    </message>
    <message>
        <source>2 max</source>
        <translation>2-max</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Standard laden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Neu laden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>kestrova::LimitTab</name>
    <message>
        <source>Tables</source>
        <translation>Tische</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Struct</source>
        <translation>Struktur</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>kestrova::MainWindow</name>
    <message>
        <source>Maximum number of Tables?</source>
        <translation>Wie viele Tische höchstens?</translation>
    </message>
    <message>
        <source>Tables to open:</source>
        <translation>Zu öffnende Tische:</translation>
    </message>
    <message>
        <source>The table he sits at</source>
        <translation>Der Tisch, an dem er sitzt</translation>
    </message>
    <message>
        <source>F&amp;ilter</source>
        <translation>F&amp;ilter</translation>
    </message>
    <message>
        <source>Filter which tables to scan</source>
        <translation>Filter für die zu scannenden Tische</translation>
    </message>
    <message>
        <source>Specify the filter for which tables to scan.</source>
        <translation>Legt fest, welche Tische gescannt werden.</translation>
    </message>
    <message>
        <source>&amp;Get Table List</source>
        <translation>Tisch&amp;liste abrufen</translation>
    </message>
    <message>
        <source>Retrieve list of available tables</source>
        <translation>Liste der verfügbaren Tische abrufen</translation>
    </message>
    <message>
        <source>Just retrieves the list of available tables.</source>
        <translation>Ruft nur die Liste der verfügbaren Tische ab.</translation>
    </message>
    <message>
        <source>Scan &amp;Selected Table</source>
        <translation>Auswahl &amp;scannen</translation>
    </message>
    <message>
        <source>Scan The Table</source>
        <translation>Den Tisch scannen</translation>
    </message>
    <message>
        <source>Scans the currently selected table from the tablelist.</source>
        <translation>Scannt den in der Tischliste ausgewählten Tisch.</translation>
    </message>
    <message>
        <source>Scan &amp;All Tables</source>
        <translation>&amp;Alle Tische scannen</translation>
    </message>
    <message>
        <source>Updates the tablelist and start a Scan</source>
        <translation>Aktualisiert die Tischliste und startet einen Scan</translation>
    </message>
    <message>
        <source>Reloads the tablelist and starts the scanning of all tables, which suffice the specified filter.</source>
        <translation>Liest die Tischliste neu und scannt alle Tische, die den eingestellten Filter erfüllen.</translation>
    </message>
    <message>
        <source>&amp;Run Opener</source>
        <translation>Opener sta&amp;rten</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open the table</source>
        <translation>Den Tisch öffnen</translation>
    </message>
    <message>
        <source>Counter for intervalscan (in minutes)</source>
        <translation>Zähler für den Intervallscan (in Minuten)</translation>
    </message>
    <message>
        <source>Counts the minutes till the next FullScan.</source>
        <translation>Zählt die Minuten bis zum nächsten Scan aller Tische.</translation>
    </message>
    <message>
        <source>Inter&amp;valscan</source>
        <translation>Inter&amp;vallscan</translation>
    </message>
    <message>
        <source>Activate intervalscan</source>
        <translation>Intervallscan einschalten</translation>
    </message>
    <message>
        <source>If checked: Fullscan will be run if counter is zero.</source>
        <translation>Wenn angehakt: Alle Tische werden gescannt, sobald der Zähler null erreicht.</translation>
    </message>
    <message>
        <source>F
i
l
t
e
r</source>
        <translation>F
i
l
t
e
r</translation>
    </message>
    <message>
        <source>Stop Op&amp;ener</source>
        <translation>Opener stopp&amp;en</translation>
    </message>
    <message>
        <source>Tables: %1</source>
        <translation>Tische: %1</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;background-color:#d6f0d6&quot;&gt;&amp;nbsp;&amp;nbsp;&amp;nbsp;&amp;nbsp;&lt;/span&gt; Score %1 or more: that many weak players (true VPIP above %2 %) are expected at the table.</source>
        <translation>&lt;span style=&quot;background-color:#d6f0d6&quot;&gt;&amp;nbsp;&amp;nbsp;&amp;nbsp;&amp;nbsp;&lt;/span&gt; Wertung ab %1: So viele schwache Spieler (wahrer VPIP über %2 %) sind am Tisch zu erwarten.</translation>
    </message>
    <message>
        <source>Please Wait...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>No web browser could be started for %1. Please open the address in a browser yourself.</source>
        <translation>Für %1 konnte kein Webbrowser gestartet werden. Bitte öffnen Sie die Adresse selbst in einem Browser.</translation>
    </message>
    <message>
        <source>%1 opens when the running scan ends.</source>
        <translation>%1 wird geöffnet, sobald der laufende Scan endet.</translation>
    </message>
    <message>
        <source>The lobby is read in the font found: %1</source>
        <translation>Die Lobby wird in der gefundenen Schrift gelesen: %1</translation>
    </message>
</context>
<context>
    <name>kestrova::OpenTab</name>
    <message>
        <source>If checked, then tables gets opened automatically</source>
        <translation>Wenn angehakt, werden Tische automatisch geöffnet</translation>
    </message>
    <message>
        <source>Open tables automatically</source>
        <translation>Tische automatisch öffnen</translation>
    </message>
    <message>
        <source>if checked, only shorthanded tables are opened</source>
        <translation>Wenn angehakt, werden nur Shorthanded-Tische geöffnet</translation>
    </message>
    <message>
        <source>Open 6-max tables only (FR only if unchecked)</source>
        <translation>Nur 6-max-Tische öffnen (sonst nur Full Ring)</translation>
    </message>
    <message>
        <source>Open 6-max AND fullring tables</source>
        <translation>6-max- UND Full-Ring-Tische öffnen</translation>
    </message>
    <message>
        <source>Exclude Jackpot tables (Party)</source>
        <translation>Jackpot-Tische ausschließen (Party)</translation>
    </message>
    <message>
        <source>Number of tables to open: </source>
        <translation>Anzahl zu öffnender Tische: </translation>
    </message>
    <message>
        <source>Minimum number of player a table must have to get opened: </source>
        <translation>Mindestzahl an Spielern, damit ein Tisch geöffnet wird: </translation>
    </message>
</context>
<context>
    <name>kestrova::PlayerFilterDialog</name>
    <message>
        <source>Playerfilter</source>
        <translation>Spielerfilter</translation>
    </message>
    <message>
        <source>Is on Buddylist</source>
        <translation>Steht auf der Buddyliste</translation>
    </message>
    <message>
        <source>Overall Losing Player</source>
        <translation>Insgesamt verlierender Spieler</translation>
    </message>
    <message>
        <source>VPIP between </source>
        <translation>VPIP zwischen </translation>
    </message>
    <message>
        <source>PFR between </source>
        <translation>PFR zwischen </translation>
    </message>
    <message>
        <source>AF between </source>
        <translation>AF zwischen </translation>
    </message>
    <message>
        <source>Stack between (BB)</source>
        <translation>Stack zwischen (BB)</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>kestrova::PlayerListView</name>
    <message>
        <source>%1 % (%2–%3 %, </source>
        <translation>%1 % (%2–%3 %, </translation>
    </message>
    <message>
        <source>1 hand)</source>
        <translation>1 Hand)</translation>
    </message>
    <message>
        <source>%1 hands)</source>
        <translation>%1 Hände)</translation>
    </message>
    <message>
        <source>Last seen %1 at %2</source>
        <translation>Zuletzt gesehen %1 am Tisch %2</translation>
    </message>
    <message>
        <source>Watched</source>
        <translation>Beobachtet</translation>
    </message>
    <message>
        <source>%1: PokerTracker has not rated him</source>
        <translation>%1: PokerTracker hat ihn nicht eingestuft</translation>
    </message>
    <message>
        <source>%1: PokerTracker&apos;s “%2” icon</source>
        <translation>%1: PokerTrackers Symbol „%2“</translation>
    </message>
    <message>
        <source>%1: your name for PokerTracker&apos;s “%2” icon (%3 in Velloran.ini)</source>
        <translation>%1: Ihr Name für PokerTrackers Symbol „%2“ (%3 in Velloran.ini)</translation>
    </message>
    <message>
        <source>PokerTracker&apos;s autorate rules set where each range begins.</source>
        <translation>Wo jeder Bereich beginnt, legen die Autorate-Regeln von PokerTracker fest.</translation>
    </message>
    <message>
        <source>A cell takes its colour once the player has more than %1 hands.</source>
        <translation>Eine Zelle wird gefärbt, sobald der Spieler mehr als %1 Hände hat.</translation>
    </message>
    <message>
        <source>could also be %1</source>
        <translation>könnte auch %1 sein</translation>
    </message>
</context>
<context>
    <name>kestrova::ProfilTab</name>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Exclude myself from scan</source>
        <translation>Mich selbst vom Scan ausnehmen</translation>
    </message>
    <message>
        <source>Activate profile/player if more than</source>
        <translation>Profil/Spieler aktivieren ab mehr als</translation>
    </message>
    <message>
        <source>hands available</source>
        <translation>vorhandenen Händen</translation>
    </message>
    <message>
        <source>My screenname : </source>
        <translation>Mein Spielername: </translation>
    </message>
</context>
<context>
    <name>kestrova::ProfileRangeDialog</name>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>%1 must be a number from 0 to %2 with at most %3 decimals.</source>
        <translation>%1 muss eine Zahl von 0 bis %2 mit höchstens %3 Nachkommastellen sein.</translation>
    </message>
</context>
<context>
    <name>kestrova::ScanFilterDialog</name>
    <message>
        <source>Scanfilter</source>
        <translation>Scanfilter</translation>
    </message>
    <message>
        <source>Scan Fullring tables</source>
        <translation>Full-Ring-Tische scannen</translation>
    </message>
    <message>
        <source>Scan 6-Max tables</source>
        <translation>6-max-Tische scannen</translation>
    </message>
    <message>
        <source>Scan Heads Up tables</source>
        <translation>Heads-up-Tische scannen</translation>
    </message>
    <message>
        <source>Scan Limit tables</source>
        <translation>Limit-Tische scannen</translation>
    </message>
    <message>
        <source>Scan No Limit tables</source>
        <translation>No-Limit-Tische scannen</translation>
    </message>
    <message>
        <source>Scan Pot Limit tables</source>
        <translation>Pot-Limit-Tische scannen</translation>
    </message>
    <message>
        <source>Number of player between</source>
        <translation>Anzahl Spieler zwischen</translation>
    </message>
    <message>
        <source>Advanced table filter</source>
        <translation>Erweiterter Tischfilter</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Player with :</source>
        <translation>Spieler mit:</translation>
    </message>
    <message>
        <source>VPIP between </source>
        <translation>VPIP zwischen </translation>
    </message>
    <message>
        <source>PFR between </source>
        <translation>PFR zwischen </translation>
    </message>
    <message>
        <source>AF between </source>
        <translation>AF zwischen </translation>
    </message>
    <message>
        <source>Stack between (BB)</source>
        <translation>Stack zwischen (BB)</translation>
    </message>
    <message>
        <source>Overall Losing Player</source>
        <translation>Insgesamt verlierender Spieler</translation>
    </message>
    <message>
        <source>Overall table filter</source>
        <translation>Tischfilter über alle Spieler</translation>
    </message>
    <message>
        <source>Overall VPIP between</source>
        <translation>Gesamt-VPIP zwischen</translation>
    </message>
    <message>
        <source>Overall PFR between</source>
        <translation>Gesamt-PFR zwischen</translation>
    </message>
    <message>
        <source>Minimum number of reads</source>
        <translation>Mindestzahl an Reads</translation>
    </message>
    <message>
        <source>Selected stakes:</source>
        <translation>Gewählte Limits:</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>kestrova::TabDialog</name>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Databases</source>
        <translation>Datenbanken</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save and close options</source>
        <translation>Einstellungen speichern und schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close options without saving</source>
        <translation>Einstellungen schließen, ohne zu speichern</translation>
    </message>
</context>
<context>
    <name>kestrova::TableListView</name>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>Scanned at %1; the running pass reads it again.</source>
        <translation>Gescannt um %1; der laufende Durchgang liest ihn erneut.</translation>
    </message>
    <message>
        <source>The running pass reads this table again.</source>
        <translation>Der laufende Durchgang liest diesen Tisch erneut.</translation>
    </message>
    <message>
        <source>Scanned at %1; the last pass did not read this table again.</source>
        <translation>Gescannt um %1; der letzte Durchgang hat diesen Tisch nicht erneut gelesen.</translation>
    </message>
</context>
<context>
    <name>kestrova::TeachFontDialog</name>
    <message>
        <source>Teach Font</source>
        <translation>Schrift anlernen</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>Tisch</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Stakes</source>
        <translation>Einsätze</translation>
    </message>
    <message>
        <source>Plrs</source>
        <translation>Spl.</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Avg Pot</source>
        <translation>Ø Pot</translation>
    </message>
    <message>
        <source>Wait</source>
        <translation>Warten</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Chips</source>
        <translation>Chips</translation>
    </message>
    <message>
        <source>Learn</source>
        <translation>Lernen</translation>
    </message>
    <message>
        <source>Still read as “%1”</source>
        <translation>Noch als „%1“ gelesen</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) still read otherwise are marked; point at one to see what is read.</source>
        <translation>
            <numerusform>%n Zelle, die noch anders gelesen wird, ist markiert; zeigen Sie darauf, um zu sehen, was gelesen wird.</numerusform>
            <numerusform>%n Zellen, die noch anders gelesen werden, sind markiert; zeigen Sie auf eine, um zu sehen, was gelesen wird.</numerusform>
        </translation>
    </message>
    <message>
        <source>Press Find Font when the client&apos;s font is installed here. Otherwise correct every cell to what the lobby shows, then press Learn. &quot;?&quot; marks a glyph the recogniser does not know yet.</source>
        <translation>Klicken Sie auf „Schrift finden“, wenn die Schrift des Clients hier installiert ist. Sonst korrigieren Sie jede Zelle so, wie die Lobby sie zeigt, und klicken dann auf „Lernen“. „?“ markiert ein Zeichen, das die Texterkennung noch nicht kennt.</translation>
    </message>
    <message>
        <source>Find Font</source>
        <translation>Schrift finden</translation>
    </message>
    <message>
        <source>Find the installed font the lobby is drawn in: nothing to type</source>
        <translation>Die installierte Schrift finden, in der die Lobby gezeichnet ist: nichts zu tippen</translation>
    </message>
    <message>
        <source>A scan is running; find the font when it has finished.</source>
        <translation>Ein Scan läuft; suchen Sie die Schrift, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>Looking for the font among the installed ones…</source>
        <translation>Die Schrift wird unter den installierten gesucht…</translation>
    </message>
    <message>
        <source>Font found: %1</source>
        <translation>Schrift gefunden: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n cell(s) it still reads with &quot;?&quot; are marked.</source>
        <translation>
            <numerusform>%n Zelle, die sie noch mit „?“ liest, ist markiert.</numerusform>
            <numerusform>%n Zellen, die sie noch mit „?“ liest, sind markiert.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kestrova::TrayIcon</name>
    <message>
        <source>Kestrova Everest</source>
        <translation>Kestrova Everest</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>&amp;Anzeigen</translation>
    </message>
    <message>
        <source>Kestrova Everest
Best table: %1 (%2, %3 seated), score %4</source>
        <translation>Kestrova Everest
Bester Tisch: %1 (%2, %3 Spieler), Wertung %4</translation>
    </message>
    <message>
        <source>Kestrova Everest
The last scan rated no table.</source>
        <translation>Kestrova Everest
Der letzte Scan hat keinen Tisch bewertet.</translation>
    </message>
</context>
<context>
    <name>kestrova::UpdateOffer</name>
    <message>
        <source>Please visit %1 and download the new version of Velloran.

Feel free to contact the Support via email (%2) if you need help.

Do you want to visit the downloadpage now?</source>
        <translation>Bitte besuchen Sie %1 und laden Sie die neue Version von Velloran herunter.

Wenn Sie Hilfe brauchen, schreiben Sie gern eine E-Mail an den Support (%2).

Möchten Sie die Downloadseite jetzt besuchen?</translation>
    </message>
    <message>
        <source>New Version Available!</source>
        <translation>Neue Version verfügbar!</translation>
    </message>
</context>
<context>
    <name>kestrova::WatchEntryDialog</name>
    <message>
        <source>Add Rule</source>
        <translation>Regel hinzufügen</translation>
    </message>
    <message>
        <source>Watch Player</source>
        <translation>Spieler beobachten</translation>
    </message>
    <message>
        <source>may stay empty</source>
        <translation>darf leer bleiben</translation>
    </message>
    <message>
        <source>Conditions on vpip, pfr, af, wtsd, hands, weak (a player&apos;s) or score, seated (a table&apos;s), such as &quot;vpip &gt;= 45 and hands &gt;= 200&quot; or &quot;score &gt;= 2.5&quot;:</source>
        <translation>Bedingungen an vpip, pfr, af, wtsd, hands, weak (die eines Spielers) oder score, seated (die eines Tisches), etwa „vpip &gt;= 45 and hands &gt;= 200“ oder „score &gt;= 2.5“:</translation>
    </message>
    <message>
        <source>&amp;Rule:</source>
        <translation>&amp;Regel:</translation>
    </message>
    <message>
        <source>&amp;Screen name:</source>
        <translation>&amp;Spielername:</translation>
    </message>
    <message>
        <source>&amp;Note:</source>
        <translation>&amp;Notiz:</translation>
    </message>
</context>
<context>
    <name>kestrova::WatchListWindow</name>
    <message>
        <source>Watch List</source>
        <translation>Beobachtungsliste</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Watched since</source>
        <translation>Beobachtet seit</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>&amp;Players you watch:</source>
        <translation>&amp;Spieler, die Sie beobachten:</translation>
    </message>
    <message>
        <source>R&amp;ules (a player or table that meets one raises an alert):</source>
        <translation>&amp;Regeln (ein Spieler oder Tisch, der eine erfüllt, löst einen Alarm aus):</translation>
    </message>
    <message>
        <source>&amp;Watch Player…</source>
        <translation>Spieler &amp;beobachten…</translation>
    </message>
    <message>
        <source>&amp;Add Rule…</source>
        <translation>Regel &amp;hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>This is no rule: %1.</source>
        <translation>Das ist keine Regel: %1.</translation>
    </message>
    <message>
        <source>Alert</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Alerts of the last &amp;scan:</source>
        <translation>Alarme des letzten &amp;Scans:</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The Everest client cannot be reached from the &quot;%1&quot; desktop.</source>
        <translation>Der Everest-Client ist vom Desktop „%1“ aus nicht erreichbar.</translation>
    </message>
</context>
</TS>
