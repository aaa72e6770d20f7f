<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BatchCreate</name>
    <message>
        <source>Not made: the run was stopped before this campaign began.</source>
        <translation>Nicht erstellt: Der Lauf wurde angehalten, bevor diese Kampagne begann.</translation>
    </message>
    <message>
        <source>The campaign %1 would write the same PDF as the campaign %2: %3. Nothing was overwritten; please give one of them another PDF name.</source>
        <translation>Die Kampagne %1 würde dieselbe PDF schreiben wie die Kampagne %2: %3. Nichts wurde überschrieben; bitte geben Sie einer von beiden einen anderen PDF-Namen.</translation>
    </message>
</context>
<context>
    <name>BonusPage</name>
    <message>
        <source>  Step 2: Select a Bonus  </source>
        <translation>  Schritt 2: Bonus wählen  </translation>
    </message>
    <message>
        <source>Select a Bonus to Offer For the Affiliate Offer:</source>
        <translation>Wählen Sie einen Bonus zum Affiliate-Angebot:</translation>
    </message>
    <message>
        <source>Bonus &amp;Headline:</source>
        <translation>Bonus-Über&amp;schrift:</translation>
    </message>
    <message>
        <source>Bonus to &amp;Offer (Select a Cloud Bonus from the List):</source>
        <translation>Angebotener &amp;Bonus (Cloud-Bonus aus der Liste wählen):</translation>
    </message>
    <message>
        <source>Product Preview</source>
        <translation>Produktvorschau</translation>
    </message>
    <message>
        <source>Want to Use Your Own Bonus?</source>
        <translation>Eigenen Bonus verwenden?</translation>
    </message>
    <message>
        <source>Using a Cloud Based Bonus vs Your Own Bonus</source>
        <translation>Cloud-Bonus oder eigener Bonus?</translation>
    </message>
    <message>
        <source>Use My Own Bonus</source>
        <translation>Eigenen Bonus verwenden</translation>
    </message>
    <message>
        <source>Bonus &amp;Image:</source>
        <translation>Bonus-B&amp;ild:</translation>
    </message>
    <message>
        <source>Select Bonus Image</source>
        <translation>Bonusbild wählen</translation>
    </message>
    <message>
        <source>Call to Action Area:</source>
        <translation>Handlungsaufforderung:</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>Call to Action &amp;Button Text:</source>
        <translation>Text der &amp;Aktionsschaltfläche:</translation>
    </message>
    <message>
        <source>How to &amp;Get Your Bonus - Instructions</source>
        <translation>Anleitung: So &amp;erhalten Sie Ihren Bonus</translation>
    </message>
    <message>
        <source>Add Built-In Instructions</source>
        <translation>Mitgelieferte Anleitung einfügen</translation>
    </message>
    <message>
        <source>Own bonus image file</source>
        <translation>Eigene Bonusbilddatei</translation>
    </message>
    <message>
        <source>Using a &apos;Cloud Bonus&apos; (one from the list), means that A) The sales page of the bonus is already prepared + B) The Bonus Delivery Page is already available online. After selecting a Cloud Based Bonus the software will take care of everything (you&apos;ll just get a bonus delivery url to add to your affiliate promo and that&apos;s all). If you want to use your custom bonus, you will need to take care of those things: You will have to provide a graphical sales page of the bonus + you will have to prepare and upload the bonus delivery page to your website.</source>
        <translation>Ein „Cloud-Bonus“ (einer aus der Liste) bedeutet: A) Die Verkaufsseite des Bonus ist bereits vorbereitet + B) Die Bonus-Auslieferungsseite ist bereits online verfügbar. Nach der Wahl eines Cloud-Bonus erledigt die Software alles (Sie erhalten nur eine Bonus-Auslieferungs-URL, die Sie Ihrer Affiliate-Werbung hinzufügen, das ist alles). Wenn Sie einen eigenen Bonus verwenden möchten, müssen Sie sich selbst darum kümmern: Sie müssen eine grafische Verkaufsseite des Bonus bereitstellen + die Bonus-Auslieferungsseite vorbereiten und auf Ihre Website hochladen.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
</context>
<context>
    <name>Campaign</name>
    <message>
        <source>accent colour</source>
        <translation>Akzentfarbe</translation>
    </message>
    <message>
        <source>text colour</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>The brand&apos;s %1 &quot;%2&quot; is no colour: write it as #RRGGBB, like #1a73e8.</source>
        <translation>Die %1 „%2“ der Marke ist keine Farbe: Schreiben Sie sie als #RRGGBB, etwa #1a73e8.</translation>
    </message>
    <message>
        <source>heading font</source>
        <translation>Schrift der Überschriften</translation>
    </message>
    <message>
        <source>body font</source>
        <translation>Schrift des Fließtexts</translation>
    </message>
    <message>
        <source>The brand&apos;s %1 &quot;%2&quot; is not installed with Orvanta; choose one of: %3.</source>
        <translation>Die %1 „%2“ der Marke wird nicht mit Orvanta installiert; wählen Sie eine von: %3.</translation>
    </message>
    <message>
        <source>The brand&apos;s logo cannot be used: %1</source>
        <translation>Das Logo der Marke kann nicht verwendet werden: %1</translation>
    </message>
    <message>
        <source>The text colour %1 on the background colour %2</source>
        <translation>Die Textfarbe %1 auf der Hintergrundfarbe %2</translation>
    </message>
    <message>
        <source>White button text %1 on the accent colour %2</source>
        <translation>Weißer Schaltflächentext %1 auf der Akzentfarbe %2</translation>
    </message>
    <message>
        <source>%1 has a contrast of %2 : 1, below the %3 : 1 that text needs to read well.</source>
        <translation>%1 hat einen Kontrast von %2 : 1, unter den %3 : 1, die Text braucht, um gut lesbar zu sein.</translation>
    </message>
    <message>
        <source>The default brand could not be saved as &quot;%1&quot;: %2</source>
        <translation>Die Standardmarke konnte nicht als „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Not Available Yet</source>
        <translation>Noch nicht verfügbar</translation>
    </message>
    <message>
        <source>The engine &quot;%1&quot; is unknown: a campaign is made with %2.</source>
        <translation>Die Engine „%1“ ist unbekannt: Eine Kampagne wird mit %2 erstellt.</translation>
    </message>
    <message>
        <source>The rating &quot;%1&quot; cannot be shown: it is written with a thousands separator; a rating is a number from 0 to 5 in halves, such as 4 or 4.5.</source>
        <translation>Die Bewertung „%1“ kann nicht angezeigt werden: Sie ist mit Tausendertrennzeichen geschrieben; eine Bewertung ist eine Zahl von 0 bis 5 in halben Schritten, etwa 4 oder 4.5.</translation>
    </message>
    <message>
        <source>The rating &quot;%1&quot; cannot be shown: a rating is a number from 0 to 5 in halves, such as 4 or 4.5.</source>
        <translation>Die Bewertung „%1“ kann nicht angezeigt werden: Eine Bewertung ist eine Zahl von 0 bis 5 in halben Schritten, etwa 4 oder 4.5.</translation>
    </message>
    <message>
        <source>the column %1 takes yes or no, not &quot;%2&quot;</source>
        <translation>die Spalte %1 nimmt yes oder no, nicht „%2“</translation>
    </message>
    <message>
        <source>The sheet %1 names the column &quot;%2&quot; twice; please keep one.</source>
        <translation>Die Tabelle %1 nennt die Spalte „%2“ zweimal; bitte behalten Sie eine.</translation>
    </message>
    <message>
        <source>The sheet %1 has no column a campaign knows: its first row should name campaign fields (%2 ...).</source>
        <translation>Die Tabelle %1 hat keine Spalte, die eine Kampagne kennt: Ihre erste Zeile sollte Kampagnenfelder nennen (%2 ...).</translation>
    </message>
    <message>
        <source>The row has too many cells: %1 where the header names %2 columns; a value holding the separator &quot;%3&quot; needs quotes around it.</source>
        <translation>Die Zeile hat zu viele Zellen: %1, wo die Kopfzeile %2 Spalten nennt; ein Wert, der das Trennzeichen „%3“ enthält, braucht Anführungszeichen drumherum.</translation>
    </message>
    <message>
        <source>The row has %1 cells where the header names %2 columns; please check its separators and quotes.</source>
        <translation>Die Zeile hat %1 Zellen, wo die Kopfzeile %2 Spalten nennt; bitte prüfen Sie ihre Trennzeichen und Anführungszeichen.</translation>
    </message>
    <message>
        <source>In this row %1.</source>
        <translation>In dieser Zeile %1.</translation>
    </message>
    <message>
        <source>%1 is a folder, not a sheet.</source>
        <translation>%1 ist ein Ordner, keine Tabelle.</translation>
    </message>
    <message>
        <source>The sheet %1 does not exist.</source>
        <translation>Die Tabelle %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file, so it cannot be a sheet.</source>
        <translation>%1 ist keine gewöhnliche Datei und kann daher keine Tabelle sein.</translation>
    </message>
    <message>
        <source>The file %1 is too large for a sheet of offers (%2; a sheet holds at most %3).</source>
        <translation>Die Datei %1 ist zu groß für eine Tabelle mit Angeboten (%2; eine Tabelle fasst höchstens %3).</translation>
    </message>
    <message>
        <source>The file %1 is too large for a sheet of offers.</source>
        <translation>Die Datei %1 ist zu groß für eine Tabelle mit Angeboten.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be read: %2.</source>
        <translation>Die Tabelle %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1 row %2</source>
        <translation>%1 Zeile %2</translation>
    </message>
    <message>
        <source>The sheet %1 is empty.</source>
        <translation>Die Tabelle %1 ist leer.</translation>
    </message>
    <message>
        <source>The file %1 is no spreadsheet in CSV form: it holds binary data. Please save the sheet as CSV from your spreadsheet program.</source>
        <translation>Die Datei %1 ist keine Tabelle im CSV-Format: Sie enthält Binärdaten. Bitte speichern Sie die Tabelle in Ihrem Tabellenprogramm als CSV.</translation>
    </message>
    <message>
        <source>The sheet %1 cannot be read: out of memory.</source>
        <translation>Die Tabelle %1 kann nicht gelesen werden: zu wenig Speicher.</translation>
    </message>
    <message>
        <source>The sheet %1 has more than %2 rows; please split it.</source>
        <translation>Die Tabelle %1 hat mehr als %2 Zeilen; bitte teilen Sie sie auf.</translation>
    </message>
    <message>
        <source>The header of the sheet %1 opens a quote (&quot;) that never closes.</source>
        <translation>Die Kopfzeile der Tabelle %1 öffnet ein Anführungszeichen (&quot;), das nie schließt.</translation>
    </message>
    <message>
        <source>A quoted cell in this row never ends: its closing quote (&quot;) is missing, so the rest of the sheet was read into it.</source>
        <translation>Eine Zelle in Anführungszeichen endet in dieser Zeile nie: Ihr schließendes Anführungszeichen (&quot;) fehlt, daher wurde der Rest der Tabelle in sie gelesen.</translation>
    </message>
    <message>
        <source>The short link&apos;s name &quot;%1&quot; cannot be used: use at most %2 lower-case letters a-z, digits and single hyphens between them, like &quot;my-offer-2&quot;.</source>
        <translation>Der Name „%1“ des Kurzlinks kann nicht verwendet werden: Verwenden Sie höchstens %2 Kleinbuchstaben a-z, Ziffern und einzelne Bindestriche dazwischen, etwa „my-offer-2“.</translation>
    </message>
    <message>
        <source>The link base &quot;%1&quot; cannot hold short links: write an address on your own site that begins with http:// or https://, without &quot;?&quot; or &quot;#&quot;, like https://example.com/go/.</source>
        <translation>Die Link-Basis „%1“ kann keine Kurzlinks aufnehmen: Schreiben Sie eine Adresse auf Ihrer eigenen Website, die mit http:// oder https:// beginnt, ohne „?“ oder „#“, etwa https://example.com/go/.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; cannot be a short link&apos;s target: it holds a line break, a control character or a &quot;$&quot;, which a server&apos;s redirect file would read as its own.</source>
        <translation>Der Link „%1“ kann nicht Ziel eines Kurzlinks sein: Er enthält einen Zeilenumbruch, ein Steuerzeichen oder ein „$“, das die Weiterleitungsdatei eines Servers als eigenes lesen würde.</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; cannot be a short link&apos;s target: it is no web address beginning with http:// or https://.</source>
        <translation>Der Link „%1“ kann nicht Ziel eines Kurzlinks sein: Er ist keine Webadresse, die mit http:// oder https:// beginnt.</translation>
    </message>
    <message>
        <source>The file %1 is not an Orvanta campaign.</source>
        <translation>Die Datei %1 ist keine Orvanta-Kampagne.</translation>
    </message>
    <message>
        <source>The campaign %1 has no valid format version.</source>
        <translation>Die Kampagne %1 hat keine gültige Formatversion.</translation>
    </message>
    <message>
        <source>The campaign %1 was made by a newer Orvanta (format version %2); this Orvanta reads version %3. Please update Orvanta to open it.</source>
        <translation>Die Kampagne %1 wurde mit einem neueren Orvanta erstellt (Formatversion %2); dieses Orvanta liest Version %3. Bitte aktualisieren Sie Orvanta, um sie zu öffnen.</translation>
    </message>
    <message>
        <source>The campaign %1 is damaged: &quot;%2&quot; should be %3.</source>
        <translation>Die Kampagne %1 ist beschädigt: „%2“ sollte %3 sein.</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>wahr oder falsch (true oder false)</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>eine Zahl</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>ein Text</translation>
    </message>
    <message>
        <source>a pair of relative and absolute paths</source>
        <translation>ein Paar aus relativem und absolutem Pfad</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>ein Objekt</translation>
    </message>
    <message>
        <source>The campaign %1 is damaged: %2</source>
        <translation>Die Kampagne %1 ist beschädigt: %2</translation>
    </message>
    <message>
        <source>the logo</source>
        <translation>das Logo</translation>
    </message>
    <message>
        <source>The campaign %1 is empty.</source>
        <translation>Die Kampagne %1 ist leer.</translation>
    </message>
    <message>
        <source>The campaign %1 is incomplete: it ends too early, perhaps cut off while it was copied.</source>
        <translation>Die Kampagne %1 ist unvollständig: Sie endet zu früh, vielleicht wurde sie beim Kopieren abgeschnitten.</translation>
    </message>
    <message>
        <source>The file %1 is not a campaign: it is no valid JSON (%2 at byte %3).</source>
        <translation>Die Datei %1 ist keine Kampagne: Sie ist kein gültiges JSON (%2 bei Byte %3).</translation>
    </message>
    <message>
        <source>the image</source>
        <translation>das Bild</translation>
    </message>
    <message>
        <source>the cloud bonus &quot;%1&quot; of the catalogue</source>
        <translation>der Cloud-Bonus „%1“ des Katalogs</translation>
    </message>
    <message>
        <source>The campaign cannot be saved as %1: that is a folder.</source>
        <translation>Die Kampagne kann nicht als %1 gespeichert werden: Das ist ein Ordner.</translation>
    </message>
    <message>
        <source>The campaign cannot be saved as %1: %2.</source>
        <translation>Die Kampagne kann nicht als %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>The campaign cannot be saved as %1: %2. Any earlier file there is unchanged.</source>
        <translation>Die Kampagne kann nicht als %1 gespeichert werden: %2. Eine frühere Datei dort bleibt unverändert.</translation>
    </message>
    <message>
        <source>%1 %2, which is not a JPG, GIF or PNG picture</source>
        <translation>%1 %2, das kein JPG-, GIF- oder PNG-Bild ist</translation>
    </message>
    <message>
        <source>%1 %2, which is not an ordinary file</source>
        <translation>%1 %2, das keine gewöhnliche Datei ist</translation>
    </message>
    <message>
        <source>The list of recent campaigns cannot be stored in &quot;%1&quot;.</source>
        <translation>Die Liste der zuletzt geöffneten Kampagnen kann nicht in „%1“ gespeichert werden.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; for recovery copies cannot be made.</source>
        <translation>Der Ordner „%1“ für Wiederherstellungskopien kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The recovery copy &quot;%1&quot; cannot be locked.</source>
        <translation>Die Wiederherstellungskopie „%1“ kann nicht gesperrt werden.</translation>
    </message>
    <message>
        <source>The recovery copy &quot;%1&quot; cannot be renamed to &quot;%2&quot;; it stays where it is.</source>
        <translation>Die Wiederherstellungskopie „%1“ kann nicht in „%2“ umbenannt werden; sie bleibt, wo sie ist.</translation>
    </message>
    <message>
        <source>The link base &quot;%1&quot; cannot hold short links: it is the site&apos;s root, where a short link would take the place of the site&apos;s own pages; give them a folder, like https://example.com/go/.</source>
        <translation>Die Link-Basis &quot;%1&quot; kann keine Kurzlinks aufnehmen: Sie ist die Wurzel der Website, wo ein Kurzlink den eigenen Seiten der Website den Platz nähme; geben Sie ihnen einen Ordner, etwa https://example.com/go/.</translation>
    </message>
    <message>
        <source>The link base &quot;%1&quot; cannot hold short links: its path holds &quot;//&quot;, &quot;.&quot; or &quot;..&quot;, plainly or percent-encoded; write the folder plainly, like https://example.com/go/.</source>
        <translation>Die Link-Basis &quot;%1&quot; kann keine Kurzlinks aufnehmen: Ihr Pfad enthält &quot;//&quot;, &quot;.&quot; oder &quot;..&quot;, offen oder prozentkodiert; schreiben Sie den Ordner schlicht, etwa https://example.com/go/.</translation>
    </message>
    <message>
        <source>The link base &quot;%1&quot; cannot hold short links: a folder of its path is longer than %2 bytes, more than a file system takes; shorten it.</source>
        <translation>Die Link-Basis &quot;%1&quot; kann keine Kurzlinks aufnehmen: Ein Ordner ihres Pfads ist länger als %2 Bytes, mehr als ein Dateisystem aufnimmt; kürzen Sie ihn.</translation>
    </message>
    <message>
        <source>The link &quot;%1…&quot; cannot be a short link&apos;s target: it is %2 bytes long, more than the %3 every server&apos;s redirect file takes; shorten it.</source>
        <translation>Der Link &quot;%1…&quot; kann nicht das Ziel eines Kurzlinks sein: Er ist %2 Bytes lang, mehr als die %3, die die Weiterleitungsdatei jedes Servers aufnimmt; kürzen Sie ihn.</translation>
    </message>
    <message>
        <source>The list %1 is damaged: %2.</source>
        <translation>Die Liste %1 ist beschädigt: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; should be %2</source>
        <translation>„%1“ sollte %2 sein</translation>
    </message>
    <message>
        <source>The file %1 is not an Orvanta list.</source>
        <translation>Die Datei %1 ist keine Orvanta-Liste.</translation>
    </message>
    <message>
        <source>The list %1 was made by a newer Orvanta (format version %2); this Orvanta reads version %3. Please update Orvanta to open it.</source>
        <translation>Die Liste %1 wurde mit einem neueren Orvanta erstellt (Formatversion %2); dieses Orvanta liest Version %3. Bitte aktualisieren Sie Orvanta, um sie zu öffnen.</translation>
    </message>
    <message>
        <source>The list %1 has no valid format version.</source>
        <translation>Die Liste %1 hat keine gültige Formatversion.</translation>
    </message>
    <message>
        <source>a list of products</source>
        <translation>eine Liste von Produkten</translation>
    </message>
    <message>
        <source>item %1: </source>
        <translation>Eintrag %1: </translation>
    </message>
    <message>
        <source>it names no campaign</source>
        <translation>er nennt keine Kampagne</translation>
    </message>
    <message>
        <source>an own row needs a label</source>
        <translation>eine eigene Zeile braucht eine Beschriftung</translation>
    </message>
    <message>
        <source>a list of texts</source>
        <translation>eine Liste von Texten</translation>
    </message>
    <message>
        <source>a list of rows</source>
        <translation>eine Liste von Zeilen</translation>
    </message>
    <message>
        <source>row %1: </source>
        <translation>Zeile %1: </translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no row; a row is one of %2, or an own row</source>
        <translation>„%1“ ist keine Zeile; eine Zeile ist eine von %2 oder eine eigene Zeile</translation>
    </message>
    <message>
        <source>a date such as 2026-12-09</source>
        <translation>ein Datum wie 2026-12-09</translation>
    </message>
    <message>
        <source>The list %1 is empty.</source>
        <translation>Die Liste %1 ist leer.</translation>
    </message>
    <message>
        <source>The file %1 is not a list: it is no valid JSON (%2 at byte %3).</source>
        <translation>Die Datei %1 ist keine Liste: Sie ist kein gültiges JSON (%2 bei Byte %3).</translation>
    </message>
    <message>
        <source>%1 is a folder, not a list file.</source>
        <translation>%1 ist ein Ordner, keine Listendatei.</translation>
    </message>
    <message>
        <source>The list %1 does not exist.</source>
        <translation>Die Liste %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file, so it cannot be a list.</source>
        <translation>%1 ist keine gewöhnliche Datei und kann daher keine Liste sein.</translation>
    </message>
    <message>
        <source>The file %1 is too large for a list (%2; a list holds at most %3).</source>
        <translation>Die Datei %1 ist zu groß für eine Liste (%2; eine Liste fasst höchstens %3).</translation>
    </message>
    <message>
        <source>The file %1 is too large for a list.</source>
        <translation>Die Datei %1 ist zu groß für eine Liste.</translation>
    </message>
    <message>
        <source>The list %1 cannot be read: %2.</source>
        <translation>Die Liste %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The list cannot be saved as %1: %2.</source>
        <translation>Die Liste kann nicht als %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>that is a folder</source>
        <translation>das ist ein Ordner</translation>
    </message>
    <message>
        <source>The list cannot be saved as %1: %2. Any earlier file there is unchanged.</source>
        <translation>Die Liste kann nicht als %1 gespeichert werden: %2. Eine frühere Datei dort bleibt unverändert.</translation>
    </message>
    <message>
        <source>The list %1 needs at least %2 products to compare; it names %3.</source>
        <translation>Die Liste %1 braucht mindestens %2 Produkte zum Vergleichen; sie nennt %3.</translation>
    </message>
    <message>
        <source>The list %1 names %2 products; a list holds at most %3.</source>
        <translation>Die Liste %1 nennt %2 Produkte; eine Liste fasst höchstens %3.</translation>
    </message>
    <message>
        <source>The list %1 names the campaign %2 twice (item %3); each product is listed once.</source>
        <translation>Die Liste %1 nennt die Kampagne %2 zweimal (Eintrag %3); jedes Produkt steht nur einmal darin.</translation>
    </message>
    <message>
        <source>The list %1: the row &quot;%2&quot; has %3 values for %4 products; give one per product.</source>
        <translation>Die Liste %1: Die Zeile „%2“ hat %3 Werte für %4 Produkte; geben Sie einen pro Produkt an.</translation>
    </message>
    <message>
        <source>the column rank takes a whole number from 1, not &quot;%1&quot;</source>
        <translation>die Spalte rank nimmt eine ganze Zahl ab 1, nicht „%1“</translation>
    </message>
    <message>
        <source>%1 list %2</source>
        <translation>%1 Liste %2</translation>
    </message>
</context>
<context>
    <name>CampaignController</name>
    <message>
        <source>Your changes cannot be kept safe for a restart: %1

Save the campaign to keep them.</source>
        <translation>Ihre Änderungen können nicht für einen Neustart gesichert werden: %1

Speichern Sie die Kampagne, um sie zu behalten.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The campaign %1 has unsaved changes.

Do you want to save them?</source>
        <translation>Die Kampagne %1 hat ungespeicherte Änderungen.

Möchten Sie sie speichern?</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Open Campaign</source>
        <translation>Kampagne öffnen</translation>
    </message>
    <message>
        <source>The campaign %1 was opened, but some of it is missing:

- %2

Everything else was filled in.</source>
        <translation>Die Kampagne %1 wurde geöffnet, aber einiges davon fehlt:

- %2

Alles andere wurde ausgefüllt.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>The campaign %1 is no longer there.

Remove it from the recent campaigns?</source>
        <translation>Die Kampagne %1 ist nicht mehr vorhanden.

Aus den zuletzt geöffneten Kampagnen entfernen?</translation>
    </message>
    <message>
        <source>Campaign.orvanta</source>
        <translation>Kampagne.orvanta</translation>
    </message>
    <message>
        <source>Save Campaign As</source>
        <translation>Kampagne speichern unter</translation>
    </message>
    <message>
        <source>%1 already exists.

Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.

Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Orvanta campaigns (*.%1)</source>
        <translation>Orvanta-Kampagnen (*.%1)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>an untitled campaign</source>
        <translation>eine unbenannte Kampagne</translation>
    </message>
    <message>
        <source>the campaign %1</source>
        <translation>die Kampagne %1</translation>
    </message>
    <message>
        <source>Orvanta was not closed normally. Unsaved changes to %1, last changed %2, were kept.

Do you want to restore them?</source>
        <translation>Orvanta wurde nicht normal beendet. Ungespeicherte Änderungen an %1, zuletzt geändert %2, wurden aufbewahrt.

Möchten Sie sie wiederherstellen?</translation>
    </message>
    <message>
        <source>Restore Campaign</source>
        <translation>Kampagne wiederherstellen</translation>
    </message>
    <message>
        <source>The unsaved campaign is kept as %1.

You can open it any time with Campaign &gt; Open or Open Recent.</source>
        <translation>Die ungespeicherte Kampagne wird als %1 aufbewahrt.

Sie können sie jederzeit über Kampagne &gt; Öffnen oder Zuletzt geöffnet öffnen.</translation>
    </message>
    <message>
        <source>Open List</source>
        <translation>Liste öffnen</translation>
    </message>
    <message>
        <source>Lists (*.%1)</source>
        <translation>Listen (*.%1)</translation>
    </message>
    <message>
        <source>The list %1 is no longer there.

Remove it from the recent campaigns?</source>
        <translation>Die Liste %1 ist nicht mehr vorhanden.

Aus den zuletzt geöffneten Kampagnen entfernen?</translation>
    </message>
</context>
<context>
    <name>CampaignMenu</name>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Campaign</source>
        <translation>&amp;Kampagne</translation>
    </message>
    <message>
        <source>Campaign</source>
        <translation>Kampagne</translation>
    </message>
    <message>
        <source>New, open and save campaigns</source>
        <translation>Kampagnen anlegen, öffnen und speichern</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Make PDFs from a Sprea&amp;dsheet...</source>
        <translation>PDFs aus einer &amp;Tabelle erstellen...</translation>
    </message>
    <message>
        <source>&amp;Links...</source>
        <translation>&amp;Links...</translation>
    </message>
    <message>
        <source>%1  • unsaved changes</source>
        <translation>%1  • ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Campaign %1, unsaved changes</source>
        <translation>Kampagne %1, ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>Campaign %1</source>
        <translation>Kampagne %1</translation>
    </message>
    <message>
        <source>%1 - missing</source>
        <translation>%1 - fehlt</translation>
    </message>
    <message>
        <source>No recent campaigns</source>
        <translation>Keine zuletzt geöffneten Kampagnen</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Liste leeren</translation>
    </message>
    <message>
        <source>New &amp;List</source>
        <translation>Neue &amp;Liste</translation>
    </message>
    <message>
        <source>Open L&amp;ist...</source>
        <translation>L&amp;iste öffnen...</translation>
    </message>
</context>
<context>
    <name>ChromiumBrowser</name>
    <message>
        <source>Chromium was started again for %1.</source>
        <translation>Chromium wurde für %1 neu gestartet.</translation>
    </message>
    <message>
        <source>Chromium could not be started: it was not found. Install the package &quot;chromium&quot; or set ORVANTA_CHROMIUM.</source>
        <translation>Chromium konnte nicht gestartet werden: Es wurde nicht gefunden. Installieren Sie das Paket „chromium“ oder setzen Sie ORVANTA_CHROMIUM.</translation>
    </message>
    <message>
        <source>Chromium could not be started: its profile could not be made in %1.</source>
        <translation>Chromium konnte nicht gestartet werden: Sein Profil konnte in %1 nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Chromium could not be started: no pipe to it (%1).</source>
        <translation>Chromium konnte nicht gestartet werden: keine Pipe zu ihm (%1).</translation>
    </message>
    <message>
        <source>Chromium could not be started: no pipe from it (%1).</source>
        <translation>Chromium konnte nicht gestartet werden: keine Pipe von ihm (%1).</translation>
    </message>
    <message>
        <source>Chromium could not be started: %1 (%2)</source>
        <translation>Chromium konnte nicht gestartet werden: %1 (%2)</translation>
    </message>
    <message>
        <source>Chromium (%1) ended unexpectedly.</source>
        <translation>Chromium (%1) wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>Its last output:</source>
        <translation>Seine letzte Ausgabe:</translation>
    </message>
</context>
<context>
    <name>ChromiumRun</name>
    <message>
        <source>Chromium did not print %1 within %2 seconds and was stopped.</source>
        <translation>Chromium hat %1 nicht innerhalb von %2 Sekunden gedruckt und wurde angehalten.</translation>
    </message>
    <message>
        <source>Chromium could not print %1: %2</source>
        <translation>Chromium konnte %1 nicht drucken: %2</translation>
    </message>
    <message>
        <source>Chromium could not open %1: %2</source>
        <translation>Chromium konnte %1 nicht öffnen: %2</translation>
    </message>
    <message>
        <source>Chromium&apos;s tab for %1 crashed.</source>
        <translation>Der Chromium-Tab für %1 ist abgestürzt.</translation>
    </message>
    <message>
        <source>Chromium&apos;s tab for %1 closed before it printed.</source>
        <translation>Der Chromium-Tab für %1 wurde geschlossen, bevor er druckte.</translation>
    </message>
    <message>
        <source>Chromium printed no whole PDF for %1.</source>
        <translation>Chromium hat für %1 keine vollständige PDF gedruckt.</translation>
    </message>
    <message>
        <source>The PDF %1 could not be written: %2</source>
        <translation>Die PDF %1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>ClickChart</name>
    <message>
        <source>Clicks per day</source>
        <translation>Klicks pro Tag</translation>
    </message>
    <message>
        <source>No short link selected.</source>
        <translation>Kein Kurzlink ausgewählt.</translation>
    </message>
    <message>
        <source>%1 clicks from %2 to %3, at most %4 on one day.</source>
        <translation>%1 Klicks vom %2 bis %3, höchstens %4 an einem Tag.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>„%1 --help“ zeigt weitere Informationen.</translation>
    </message>
    <message>
        <source>There is no display to show the window on. To make the PDFs of campaign files without one, use --create CAMPAIGN...</source>
        <translation>Es gibt keine Anzeige, auf der das Fenster erscheinen kann. Um die PDFs von Kampagnendateien ohne Anzeige zu erstellen, verwenden Sie --create KAMPAGNE...</translation>
    </message>
    <message>
        <source>There is no display to open the campaign %1 in the window. To make its PDF without one, use --create %1</source>
        <translation>Es gibt keine Anzeige, um die Kampagne %1 im Fenster zu öffnen. Um ihre PDF ohne Anzeige zu erstellen, verwenden Sie --create %1</translation>
    </message>
    <message>
        <source>The campaign list %1 cannot be read: %2</source>
        <translation>Die Kampagnenliste %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1: the columns %2 are no campaign fields; their cells were left out.</source>
        <translation>%1: Die Spalten %2 sind keine Kampagnenfelder; ihre Zellen wurden ausgelassen.</translation>
    </message>
    <message>
        <source>Not made: the link %1 is %2 (--check-links=strict).</source>
        <translation>Nicht erstellt: Der Link %1 ist %2 (--check-links=strict).</translation>
    </message>
    <message>
        <source>No command given: use --create to make PDFs of campaign files, or --sheet for the rows of a sheet.</source>
        <translation>Kein Befehl angegeben: Verwenden Sie --create, um PDFs von Kampagnendateien zu erstellen, oder --sheet für die Zeilen einer Tabelle.</translation>
    </message>
    <message>
        <source>No campaign file given.</source>
        <translation>Keine Kampagnendatei angegeben.</translation>
    </message>
    <message>
        <source>--base names the campaign a sheet&apos;s rows fill in; give the sheet with --sheet.</source>
        <translation>--base nennt die Kampagne, die die Zeilen einer Tabelle ausfüllen; geben Sie die Tabelle mit --sheet an.</translation>
    </message>
    <message>
        <source>--jobs needs a whole number of at least 1, not &quot;%1&quot;.</source>
        <translation>--jobs braucht eine ganze Zahl von mindestens 1, nicht „%1“.</translation>
    </message>
    <message>
        <source>--instructions takes yes or no, not &quot;%1&quot;.</source>
        <translation>--instructions nimmt yes oder no, nicht „%1“.</translation>
    </message>
    <message>
        <source>--output needs the name of a folder, not an empty one.</source>
        <translation>--output braucht den Namen eines Ordners, keinen leeren.</translation>
    </message>
    <message>
        <source>--list needs the name of a file, or &apos;-&apos; for the standard input, not an empty one.</source>
        <translation>--list braucht den Namen einer Datei oder „-“ für die Standardeingabe, keinen leeren.</translation>
    </message>
    <message>
        <source>--sheet needs the name of a CSV file, not an empty one.</source>
        <translation>--sheet braucht den Namen einer CSV-Datei, keinen leeren.</translation>
    </message>
    <message>
        <source>--base needs the name of a campaign file, not an empty one.</source>
        <translation>--base braucht den Namen einer Kampagnendatei, keinen leeren.</translation>
    </message>
    <message>
        <source>--repoint needs one short link&apos;s name, followed by its new target.</source>
        <translation>--repoint braucht den Namen eines Kurzlinks, gefolgt von seinem neuen Ziel.</translation>
    </message>
    <message>
        <source>--preflight takes no value or &quot;strict&quot;, not &quot;%1&quot;.</source>
        <translation>--preflight nimmt keinen Wert oder „strict“, nicht „%1“.</translation>
    </message>
    <message>
        <source>--time-limit needs a number of seconds from 1 up to %1 (a day), not &quot;%2&quot;.</source>
        <translation>--time-limit braucht eine Zahl von Sekunden von 1 bis %1 (ein Tag), nicht „%2“.</translation>
    </message>
    <message>
        <source>--design needs the name of a design, not an empty one.</source>
        <translation>--design braucht den Namen eines Designs, keinen leeren.</translation>
    </message>
    <message>
        <source>--engine takes %1, not &quot;%2&quot;.</source>
        <translation>--engine nimmt %1, nicht „%2“.</translation>
    </message>
    <message>
        <source>--language needs a language tag such as de or pt-BR, not &quot;%1&quot;.</source>
        <translation>--language braucht ein Sprachkürzel wie de oder pt-BR, nicht „%1“.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt die Hilfe zu den Befehlszeilenoptionen.</translation>
    </message>
    <message>
        <source>Displays help, the window&apos;s options included.</source>
        <translation>Zeigt die Hilfe, einschließlich der Optionen des Fensters.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Zeigt die Versionsinformationen.</translation>
    </message>
    <message>
        <source>Make the PDF of each CAMPAIGN file, as Create in the window would, and exit.</source>
        <translation>Erstellt die PDF jeder KAMPAGNE-Datei, wie „Erstellen“ im Fenster, und beendet sich.</translation>
    </message>
    <message>
        <source>Run up to N converters at once (default: %1, the processors).</source>
        <translation>Führt bis zu N Konverter gleichzeitig aus (Standard: %1, die Prozessoren).</translation>
    </message>
    <message>
        <source>For campaigns without bonus instructions: add the built-in ones (yes) or not (no, the default).</source>
        <translation>Für Kampagnen ohne Bonus-Anleitung: die mitgelieferte hinzufügen (yes) oder nicht (no, der Standard).</translation>
    </message>
    <message>
        <source>Write the PDFs to DIR (created when missing) instead of bin/output.</source>
        <translation>Schreibt die PDFs nach DIR (wird bei Bedarf angelegt) statt nach bin/output.</translation>
    </message>
    <message>
        <source>Also make the campaign files named in FILE, one per line (&apos;-&apos; reads them from the standard input). Given more than once, every list is read, in the order given.</source>
        <translation>Erstellt auch die in FILE genannten Kampagnendateien, eine pro Zeile („-“ liest sie von der Standardeingabe). Mehrfach angegeben, wird jede Liste gelesen, in der angegebenen Reihenfolge.</translation>
    </message>
    <message>
        <source>Stop a converter that runs longer than SECONDS, from 1 up to a day (default: %1).</source>
        <translation>Hält einen Konverter an, der länger als SECONDS läuft, von 1 bis zu einem Tag (Standard: %1).</translation>
    </message>
    <message>
        <source>Make one PDF per row of the sheet FILE.csv, whose header names campaign fields; the rows fill in the base campaign. Given more than once, every sheet is made, in the order given.</source>
        <translation>Erstellt eine PDF pro Zeile der Tabelle FILE.csv, deren Kopfzeile Kampagnenfelder nennt; die Zeilen füllen die Basiskampagne aus. Mehrfach angegeben, wird jede Tabelle erstellt, in der angegebenen Reihenfolge.</translation>
    </message>
    <message>
        <source>The campaign file whose values a sheet&apos;s empty cells and missing columns keep (default: the window&apos;s start-up values).</source>
        <translation>Die Kampagnendatei, deren Werte leere Zellen und fehlende Spalten einer Tabelle behalten (Standard: die Startwerte des Fensters).</translation>
    </message>
    <message>
        <source>Check each PDF once made (links and their tags, fonts, title, language, size, pictures, disclosure, contrast) and print one line per failed check; with =strict a failed check fails its campaign. The PDF is kept either way.</source>
        <translation>Prüft jede fertige PDF (Links und ihre Tags, Schriften, Titel, Sprache, Größe, Bilder, Offenlegung, Kontrast) und gibt eine Zeile pro fehlgeschlagener Prüfung aus; mit =strict lässt eine fehlgeschlagene Prüfung ihre Kampagne fehlschlagen. Die PDF bleibt in jedem Fall erhalten.</translation>
    </message>
    <message>
        <source>Point the short link SLUG to the URL given after it, and rewrite the redirect files; no PDF changes.</source>
        <translation>Lässt den Kurzlink SLUG auf die danach angegebene URL zeigen und schreibt die Weiterleitungsdateien neu; keine PDF ändert sich.</translation>
    </message>
    <message>
        <source>Make every campaign in the design NAME (Classic, or a folder below designs/) instead of its own.</source>
        <translation>Erstellt jede Kampagne im Design NAME (Classic oder ein Ordner unter designs/) statt in ihrem eigenen.</translation>
    </message>
    <message>
        <source>Make every campaign with the converter NAME (%1) instead of its own.</source>
        <translation>Erstellt jede Kampagne mit dem Konverter NAME (%1) statt mit ihrem eigenen.</translation>
    </message>
    <message>
        <source>Declare every page and PDF in the language TAG (such as de or pt-BR) instead of the campaign&apos;s own.</source>
        <translation>Deklariert jede Seite und PDF in der Sprache TAG (etwa de oder pt-BR) statt in der der Kampagne.</translation>
    </message>
    <message>
        <source>Makes review PDFs of campaign files without a window. Without options it opens its window, and a campaign file given alone opens in it.</source>
        <translation>Erstellt Rezensions-PDFs aus Kampagnendateien ohne Fenster. Ohne Optionen öffnet es sein Fenster, und eine allein angegebene Kampagnendatei wird darin geöffnet.</translation>
    </message>
    <message>
        <source>Campaign files (.%1) to make.</source>
        <translation>Zu erstellende Kampagnendateien (.%1).</translation>
    </message>
    <message>
        <source>Options of the window (Qt&apos;s own):</source>
        <translation>Optionen des Fensters (von Qt):</translation>
    </message>
    <message>
        <source>The short link &quot;%1&quot; now points to %2; the redirect files are rewritten.
</source>
        <translation>Der Kurzlink „%1“ zeigt jetzt auf %2; die Weiterleitungsdateien sind neu geschrieben.
</translation>
    </message>
    <message>
        <source>--check-links takes no value or &quot;strict&quot;, &quot;live&quot; or &quot;strict,live&quot;, not &quot;%1&quot;.</source>
        <translation>--check-links nimmt keinen Wert oder „strict“, „live“ oder „strict,live“, nicht „%1“.</translation>
    </message>
    <message>
        <source>Request each affiliate link and delivery URL first and report the broken and unverified ones; the PDFs are made anyway, except with =strict, where a campaign with a broken link is not made. With =live each live short link is also asked whether it redirects to exactly its target.</source>
        <translation>Fragt zuerst jeden Affiliate-Link und jede Auslieferungs-URL ab und meldet die defekten und ungeprüften; die PDFs werden trotzdem erstellt, außer mit =strict, wo eine Kampagne mit einem defekten Link nicht erstellt wird. Mit =live wird zudem jeder live geschaltete Kurzlink gefragt, ob er genau auf sein Ziel weiterleitet.</translation>
    </message>
    <message>
        <source>%1/%2 done</source>
        <translation>%1/%2 fertig</translation>
    </message>
    <message>
        <source>Print every short link: its name, target, campaign, PDF, last check and clicks.</source>
        <translation>Jeden Kurzlink ausgeben: Name, Ziel, Kampagne, PDF, letzte Prüfung und Klicks.</translation>
    </message>
    <message>
        <source>With --links, write the links to FILE in the columns link managers import, and their clicks per day beside it, as FILE&apos;s name ending in -clicks.csv.</source>
        <translation>Mit --links die Links in DATEI schreiben, in den Spalten, die Link-Manager importieren, und daneben ihre Klicks pro Tag, unter dem Namen von DATEI mit der Endung -clicks.csv.</translation>
    </message>
    <message>
        <source>Count the clicks on the short links in the access logs given (Apache&apos;s or nginx&apos;s, plain or gzipped); a log read before counts once.</source>
        <translation>Die Klicks auf die Kurzlinks in den angegebenen Zugriffsprotokollen zählen (von Apache oder nginx, unkomprimiert oder gzip); ein schon gelesenes Protokoll zählt einmal.</translation>
    </message>
    <message>
        <source>The short links are written to %1, their clicks per day to %2.
</source>
        <translation>Die Kurzlinks werden in %1 geschrieben, ihre Klicks pro Tag in %2.
</translation>
    </message>
    <message>
        <source>--csv writes the links&apos; table; use it with --links.</source>
        <translation>--csv schreibt die Tabelle der Links; verwenden Sie es mit --links.</translation>
    </message>
    <message>
        <source>--clicks needs the access logs to read.</source>
        <translation>--clicks braucht die Zugriffsprotokolle, die es lesen soll.</translation>
    </message>
</context>
<context>
    <name>ConverterRun</name>
    <message>
        <source>The converter %1 did not finish within %2 seconds and was stopped.</source>
        <translation>Der Konverter %1 wurde nicht innerhalb von %2 Sekunden fertig und wurde angehalten.</translation>
    </message>
    <message>
        <source>The converter %1 crashed.</source>
        <translation>Der Konverter %1 ist abgestürzt.</translation>
    </message>
    <message>
        <source>The converter %1 wrote no PDF to %2 (exit code %3).</source>
        <translation>Der Konverter %1 hat keine PDF nach %2 geschrieben (Exit-Code %3).</translation>
    </message>
    <message>
        <source>The converter %1 wrote an incomplete PDF to %2 (exit code %3); the incomplete file was removed.</source>
        <translation>Der Konverter %1 hat eine unvollständige PDF nach %2 geschrieben (Exit-Code %3); die unvollständige Datei wurde entfernt.</translation>
    </message>
    <message>
        <source>The converter %1 wrote an incomplete PDF to %2 (exit code %3).</source>
        <translation>Der Konverter %1 hat eine unvollständige PDF nach %2 geschrieben (Exit-Code %3).</translation>
    </message>
    <message>
        <source>Its last output:</source>
        <translation>Seine letzte Ausgabe:</translation>
    </message>
    <message>
        <source>The converter could not be started: %1 was not found.</source>
        <translation>Der Konverter konnte nicht gestartet werden: %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The converter could not be started: %1 is not executable.</source>
        <translation>Der Konverter konnte nicht gestartet werden: %1 ist nicht ausführbar.</translation>
    </message>
    <message>
        <source>The converter could not be started: %1 (%2)</source>
        <translation>Der Konverter konnte nicht gestartet werden: %1 (%2)</translation>
    </message>
    <message>
        <source>The converter %1 was stopped from outside Orvanta (signal %2) before it finished: by another program, the system or a user. Create again to make the PDF.</source>
        <translation>Der Konverter %1 wurde von außerhalb von Orvanta angehalten (Signal %2), bevor er fertig war: von einem anderen Programm, dem System oder einem Benutzer. Erstellen Sie erneut, um die PDF zu erzeugen.</translation>
    </message>
</context>
<context>
    <name>CreateCommand</name>
    <message>
        <source>The output folder could not be opened: %1</source>
        <translation>Der Ausgabeordner konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Missing Info</source>
        <translation>Fehlende Angaben</translation>
    </message>
    <message>
        <source>Some colours of your brand make text hard to read:

%1

Create the PDF with these colours anyway?</source>
        <translation>Einige Farben Ihrer Marke machen Text schwer lesbar:

%1

Die PDF trotzdem mit diesen Farben erstellen?</translation>
    </message>
    <message>
        <source>Brand Colours</source>
        <translation>Markenfarben</translation>
    </message>
    <message>
        <source>Bonus Delivery Instructions</source>
        <translation>Anleitung zur Bonus-Auslieferung</translation>
    </message>
    <message>
        <source>Ready. Do you want to open the output folder?</source>
        <translation>Fertig. Möchten Sie den Ausgabeordner öffnen?</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>CreateJob</name>
    <message>
        <source>The PDF %1 was made but failed 1 preflight check.</source>
        <translation>Die PDF %1 wurde erstellt, hat aber 1 Preflight-Prüfung nicht bestanden.</translation>
    </message>
    <message>
        <source>The PDF %1 was made but failed %2 preflight checks.</source>
        <translation>Die PDF %1 wurde erstellt, hat aber %2 Preflight-Prüfungen nicht bestanden.</translation>
    </message>
    <message>
        <source>The PDF %1 was made. %2</source>
        <translation>Die PDF %1 wurde erstellt. %2</translation>
    </message>
    <message>
        <source>The PDF %1 was made, but its engine ran without its sandbox, which a strict preflight does not pass. Install bubblewrap, or turn user namespaces on, to make it inside the sandbox.</source>
        <translation>Die PDF %1 wurde erstellt, aber ihre Engine lief ohne ihre Sandbox, was eine strenge Vorabprüfung nicht besteht. Installieren Sie bubblewrap oder schalten Sie User-Namespaces ein, um sie in der Sandbox zu erstellen.</translation>
    </message>
</context>
<context>
    <name>CreatePage</name>
    <message>
        <source>  Create   </source>
        <translation>  Erstellen   </translation>
    </message>
    <message>
        <source>PDF &amp;Filename:</source>
        <translation>PDF-&amp;Dateiname:</translation>
    </message>
    <message>
        <source>.pdf</source>
        <translation>.pdf</translation>
    </message>
    <message>
        <source>Your Bonus &amp;Delivery Url:</source>
        <translation>Bonus-&amp;Auslieferungs-URL:</translation>
    </message>
    <message>
        <source>Copy Url to Clipboard</source>
        <translation>URL kopieren</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Important: You&apos;re Using a Custom Bonus. You Need to Use Your Own Delivery Url (not the previous url - which is for a Cloud Based Bonus).</source>
        <translation>Wichtig: Sie verwenden einen eigenen Bonus. Sie brauchen Ihre eigene Auslieferungs-URL (nicht die vorige URL – die ist für einen Cloud-Bonus).</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>Open Output Folder</source>
        <translation>Ausgabeordner öffnen</translation>
    </message>
    <message>
        <source>Fi&amp;t the PDF to its content</source>
        <translation>PDF an den Inhalt an&amp;passen</translation>
    </message>
    <message>
        <source>Also save the &amp;web page</source>
        <translation>Auch die &amp;Webseite speichern</translation>
    </message>
    <message>
        <source>Ma&amp;ke the PDF smaller</source>
        <translation>PDF &amp;verkleinern</translation>
    </message>
    <message>
        <source>Add a &amp;QR code of the link</source>
        <translation>&amp;QR-Code des Links einfügen</translation>
    </message>
    <message>
        <source>PDF &amp;engine:</source>
        <translation>PDF-&amp;Engine:</translation>
    </message>
    <message>
        <source>Classic converter: fastest</source>
        <translation>Klassischer Konverter: am schnellsten</translation>
    </message>
    <message>
        <source>Chromium: accessible, tagged PDF</source>
        <translation>Chromium: barrierefreie, getaggte PDF</translation>
    </message>
    <message>
        <source>Done! Url copied to clipboard.</source>
        <translation>Fertig! URL in die Zwischenablage kopiert.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Most affiliate platforms (JVZoo, WarriorPlus etc) will allow you to add your bonus url to your affiliate campaign (this url will be automatically delivered to those who buy the product through your affiliate link). If your affiliate network does not include this feature, you will have to manually deliver this url to those who buy through your link.</source>
        <translation>Die meisten Affiliate-Plattformen (JVZoo, WarriorPlus usw.) erlauben es, Ihre Bonus-URL Ihrer Affiliate-Kampagne hinzuzufügen (diese URL wird automatisch an alle ausgeliefert, die das Produkt über Ihren Affiliate-Link kaufen). Wenn Ihr Affiliate-Netzwerk diese Funktion nicht bietet, müssen Sie diese URL selbst an alle ausliefern, die über Ihren Link kaufen.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Run the PDF engine without its sandbox</source>
        <translation>PDF-Engine ohne ihre Sandbox ausführen</translation>
    </message>
    <message>
        <source>Only where bubblewrap is missing or cannot start: the engine then reads your files and the network while it makes the PDF.</source>
        <translation>Nur wo bubblewrap fehlt oder nicht starten kann: Die Engine liest dann Ihre Dateien und das Netzwerk, während sie die PDF erstellt.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>DesignGallery</name>
    <message>
        <source>The design&apos;s own</source>
        <translation>Die des Designs</translation>
    </message>
    <message>
        <source>the design&apos;s own, or #RRGGBB</source>
        <translation>die des Designs, oder #RRGGBB</translation>
    </message>
    <message>
        <source>Design</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>Design gallery</source>
        <translation>Designgalerie</translation>
    </message>
    <message>
        <source>Designs</source>
        <translation>Designs</translation>
    </message>
    <message>
        <source>Each design shows your own page; choose one to use it.</source>
        <translation>Jedes Design zeigt Ihre eigene Seite; wählen Sie eines, um es zu verwenden.</translation>
    </message>
    <message>
        <source>Choose &amp;Logo...</source>
        <translation>&amp;Logo wählen...</translation>
    </message>
    <message>
        <source>&amp;No Logo</source>
        <translation>Kein L&amp;ogo</translation>
    </message>
    <message>
        <source>Empty for none, like https://example.com/go/</source>
        <translation>Leer für keine, etwa https://example.com/go/</translation>
    </message>
    <message>
        <source>Use as my &amp;default brand</source>
        <translation>Als meine &amp;Standardmarke verwenden</translation>
    </message>
    <message>
        <source>New campaigns start with this brand.</source>
        <translation>Neue Kampagnen beginnen mit dieser Marke.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Accent colour:</source>
        <translation>&amp;Akzentfarbe:</translation>
    </message>
    <message>
        <source>&amp;Text colour:</source>
        <translation>&amp;Textfarbe:</translation>
    </message>
    <message>
        <source>&amp;Background colour:</source>
        <translation>&amp;Hintergrundfarbe:</translation>
    </message>
    <message>
        <source>&amp;Heading font:</source>
        <translation>Ü&amp;berschriften:</translation>
    </message>
    <message>
        <source>Bod&amp;y font:</source>
        <translation>&amp;Fließtext:</translation>
    </message>
    <message>
        <source>Logo:</source>
        <translation>Logo:</translation>
    </message>
    <message>
        <source>Short lin&amp;ks at:</source>
        <translation>&amp;Kurzlinks unter:</translation>
    </message>
    <message>
        <source>Your brand</source>
        <translation>Ihre Marke</translation>
    </message>
    <message>
        <source>%1 (unusable)</source>
        <translation>%1 (unbrauchbar)</translation>
    </message>
    <message>
        <source>accent colour</source>
        <translation>Akzentfarbe</translation>
    </message>
    <message>
        <source>text colour</source>
        <translation>Textfarbe</translation>
    </message>
    <message>
        <source>background colour</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is no colour yet: write it as #RRGGBB.</source>
        <translation>Die %1 „%2“ ist noch keine Farbe: Schreiben Sie sie als #RRGGBB.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>No colour problems</source>
        <translation>Keine Farbprobleme</translation>
    </message>
    <message>
        <source>Choose your logo</source>
        <translation>Ihr Logo wählen</translation>
    </message>
    <message>
        <source>Pictures (%1)</source>
        <translation>Bilder (%1)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>New campaigns will start with this brand.</source>
        <translation>Neue Kampagnen beginnen ab jetzt mit dieser Marke.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>DesignThumbnails</name>
    <message>
        <source>The thumbnail could not be drawn.</source>
        <translation>Das Vorschaubild konnte nicht gezeichnet werden.</translation>
    </message>
</context>
<context>
    <name>Engine</name>
    <message>
        <source>a file outside the page&apos;s folder</source>
        <translation>eine Datei außerhalb des Ordners der Seite</translation>
    </message>
    <message>
        <source>The page %1 tried to leave itself for another address, so no PDF was made.</source>
        <translation>Die Seite %1 hat versucht, sich zu einer anderen Adresse zu verlassen, daher wurde keine PDF erstellt.</translation>
    </message>
    <message>
        <source>The page %1 tried to leave itself for %2, so no PDF was made.</source>
        <translation>Die Seite %1 hat versucht, sich zu %2 zu verlassen, daher wurde keine PDF erstellt.</translation>
    </message>
    <message>
        <source>The page asked for what was not loaded; the PDF is without it:</source>
        <translation>Die Seite hat angefordert, was nicht geladen wurde; die PDF ist ohne es:</translation>
    </message>
    <message numerus="yes">
        <source>  and %n more</source>
        <translation>
            <numerusform>  und %n weiteres</numerusform>
            <numerusform>  und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot lay out text written right to left; the PDF was made with %2.</source>
        <translation>%1 kann von rechts nach links geschriebenen Text nicht setzen; die PDF wurde mit %2 erstellt.</translation>
    </message>
    <message>
        <source>%1 is not installed; the PDF was made with %2.</source>
        <translation>%1 ist nicht installiert; die PDF wurde mit %2 erstellt.</translation>
    </message>
    <message>
        <source>No PDF engine is installed: neither %1 nor Chromium was found. Install the package &quot;wkhtmltopdf&quot;, &quot;chromium-headless-shell&quot; or &quot;chromium&quot;.</source>
        <translation>Keine PDF-Engine ist installiert: Weder %1 noch Chromium wurde gefunden. Installieren Sie das Paket „wkhtmltopdf“, „chromium-headless-shell“ oder „chromium“.</translation>
    </message>
    <message>
        <source>The PDF engine ran without its sandbox: bubblewrap (bwrap) is not installed.</source>
        <translation>Die PDF-Engine lief ohne ihre Sandbox: bubblewrap (bwrap) ist nicht installiert.</translation>
    </message>
    <message>
        <source>exit code %1</source>
        <translation>Exit-Code %1</translation>
    </message>
    <message>
        <source>The PDF engine ran without its sandbox: bubblewrap (%1) could not start: %2</source>
        <translation>Die PDF-Engine lief ohne ihre Sandbox: bubblewrap (%1) konnte nicht starten: %2</translation>
    </message>
    <message>
        <source>The output folder could not be created: %1</source>
        <translation>Der Ausgabeordner konnte nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>To make PDFs without the sandbox all the same, set %1=1 or tick &quot;Run the PDF engine without its sandbox&quot; beside the PDF engine.</source>
        <translation>Um PDFs trotzdem ohne die Sandbox zu erstellen, setzen Sie %1=1 oder kreuzen Sie „PDF-Engine ohne ihre Sandbox ausführen“ neben der PDF-Engine an.</translation>
    </message>
    <message>
        <source>The PDF engine was not started: its sandbox, bubblewrap (%1), is not installed. Install bubblewrap (the package &quot;bubblewrap&quot;), or point ORVANTA_BWRAP at it.</source>
        <translation>Die PDF-Engine wurde nicht gestartet: Ihre Sandbox, bubblewrap (%1), ist nicht installiert. Installieren Sie bubblewrap (das Paket „bubblewrap“) oder lassen Sie ORVANTA_BWRAP darauf zeigen.</translation>
    </message>
    <message>
        <source>The PDF engine was not started: its sandbox, bubblewrap (%1), could not start because user namespaces are off on this system (%2). Turn them on (for example with &quot;sysctl kernel.unprivileged_userns_clone=1&quot; or a higher user.max_user_namespaces), or run Orvanta where they are allowed.</source>
        <translation>Die PDF-Engine wurde nicht gestartet: Ihre Sandbox, bubblewrap (%1), konnte nicht starten, weil User-Namespaces auf diesem System ausgeschaltet sind (%2). Schalten Sie sie ein (etwa mit „sysctl kernel.unprivileged_userns_clone=1“ oder einem höheren user.max_user_namespaces) oder führen Sie Orvanta dort aus, wo sie erlaubt sind.</translation>
    </message>
    <message>
        <source>The PDF engine was not started: its sandbox, bubblewrap (%1), could not start: %2. Check that bubblewrap is installed whole and ORVANTA_BWRAP, when set, names it.</source>
        <translation>Die PDF-Engine wurde nicht gestartet: Ihre Sandbox, bubblewrap (%1), konnte nicht starten: %2. Prüfen Sie, ob bubblewrap vollständig installiert ist und ORVANTA_BWRAP, falls gesetzt, darauf zeigt.</translation>
    </message>
    <message>
        <source>The setting could not be stored in %1.</source>
        <translation>Die Einstellung konnte nicht in %1 gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>es existiert nicht</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>es ist zu groß</translation>
    </message>
    <message>
        <source>The image &quot;%1&quot; was not found.</source>
        <translation>Das Bild „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an ordinary file, so it cannot be used as an image.</source>
        <translation>„%1“ ist keine gewöhnliche Datei und kann daher nicht als Bild verwendet werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as an image: only JPG, GIF and PNG files can.</source>
        <translation>„%1“ kann nicht als Bild verwendet werden: Nur JPG-, GIF- und PNG-Dateien können das.</translation>
    </message>
    <message>
        <source>Could not read the image &quot;%1&quot;: %2.</source>
        <translation>Das Bild „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as an image: it holds no JPG, GIF or PNG picture.</source>
        <translation>„%1“ kann nicht als Bild verwendet werden: Es enthält kein JPG-, GIF- oder PNG-Bild.</translation>
    </message>
    <message>
        <source>Could not read the file &quot;%1&quot;: %2.</source>
        <translation>Die Datei „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Could not copy the image to &quot;%1&quot;: %2.</source>
        <translation>Das Bild konnte nicht nach „%1“ kopiert werden: %2.</translation>
    </message>
    <message>
        <source>Could not copy the file to &quot;%1&quot;: %2.</source>
        <translation>Die Datei konnte nicht nach „%1“ kopiert werden: %2.</translation>
    </message>
    <message>
        <source>%1 is a link to another place; nothing is written through it. Please remove the link.</source>
        <translation>%1 ist eine Verknüpfung zu einem anderen Ort; durch sie wird nichts geschrieben. Bitte entfernen Sie die Verknüpfung.</translation>
    </message>
    <message>
        <source>%1 is a link to another place; nothing is copied through it. Please remove it.</source>
        <translation>%1 ist eine Verknüpfung zu einem anderen Ort; durch sie wird nichts kopiert. Bitte entfernen Sie sie.</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file, so it is not copied.</source>
        <translation>%1 ist keine gewöhnliche Datei und wird daher nicht kopiert.</translation>
    </message>
    <message>
        <source>The folder %1 could not be created.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
</context>
<context>
    <name>Finish</name>
    <message>
        <source>The PDF keeps its full length: %1</source>
        <translation>Die PDF behält ihre volle Länge: %1</translation>
    </message>
    <message>
        <source>The web page could not be saved: %1</source>
        <translation>Die Webseite konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The PDF %1 could not be read to find the end of its content.</source>
        <translation>Die PDF %1 konnte nicht gelesen werden, um das Ende ihres Inhalts zu finden.</translation>
    </message>
    <message>
        <source>The last page of %1 could not be rendered to find the end of its content.</source>
        <translation>Die letzte Seite von %1 konnte nicht gerendert werden, um das Ende ihres Inhalts zu finden.</translation>
    </message>
    <message>
        <source>The last page of %1 is turned; it is left as it is.</source>
        <translation>Die letzte Seite von %1 ist gedreht; sie bleibt, wie sie ist.</translation>
    </message>
    <message>
        <source>The fitted PDF could not be written over %1: %2</source>
        <translation>Die angepasste PDF konnte nicht über %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The PDF %1 could not be finished: %2</source>
        <translation>Die PDF %1 konnte nicht fertiggestellt werden: %2</translation>
    </message>
    <message>
        <source>The PDF %1 could not be finished.</source>
        <translation>Die PDF %1 konnte nicht fertiggestellt werden.</translation>
    </message>
    <message>
        <source>The PDF %1 has no pages or is damaged.</source>
        <translation>Die PDF %1 hat keine Seiten oder ist beschädigt.</translation>
    </message>
    <message>
        <source>The finished copy of %1 came out damaged.</source>
        <translation>Die fertige Kopie von %1 ist beschädigt.</translation>
    </message>
    <message>
        <source>The PDF %1 was not found.</source>
        <translation>Die PDF %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The picture %1 could not be passed to the converter.</source>
        <translation>Das Bild %1 konnte nicht an den Konverter übergeben werden.</translation>
    </message>
    <message>
        <source>not a picture Qt can read</source>
        <translation>kein Bild, das Qt lesen kann</translation>
    </message>
    <message>
        <source>animated</source>
        <translation>animiert</translation>
    </message>
    <message>
        <source>CMYK</source>
        <translation>CMYK</translation>
    </message>
    <message>
        <source>small enough</source>
        <translation>klein genug</translation>
    </message>
    <message>
        <source>the smaller copy could not be written</source>
        <translation>die kleinere Kopie konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The folder for %1 could not be created.</source>
        <translation>Der Ordner für %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The web page folder %1 could not be created.</source>
        <translation>Der Webseiten-Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>HeaderBand</name>
    <message>
        <source>Please Wait</source>
        <translation>Bitte warten</translation>
    </message>
    <message>
        <source>Orvanta logo</source>
        <translation>Orvanta-Logo</translation>
    </message>
    <message>
        <source>Page Preview</source>
        <translation>Seitenvorschau</translation>
    </message>
    <message>
        <source>Shows the page as the PDF will look (Ctrl+Shift+P)</source>
        <translation>Zeigt die Seite so, wie die PDF aussehen wird (Strg+Umschalt+P)</translation>
    </message>
    <message>
        <source>Design</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>Choose the page&apos;s design and your brand&apos;s colours, fonts and logo</source>
        <translation>Das Design der Seite und die Farben, Schriften und das Logo Ihrer Marke wählen</translation>
    </message>
    <message>
        <source>Chooses the page&apos;s design and your brand (Ctrl+Shift+D)</source>
        <translation>Wählt das Design der Seite und Ihre Marke (Strg+Umschalt+D)</translation>
    </message>
    <message>
        <source>%1 %2

Licensed to you under a non-exclusive reseller license.</source>
        <translation>%1 %2

Ihnen überlassen unter einer nicht exklusiven Wiederverkäuferlizenz.</translation>
    </message>
    <message>
        <source>Non Exclusive Reseller License.</source>
        <translation>Nicht exklusive Wiederverkäuferlizenz.</translation>
    </message>
</context>
<context>
    <name>ImagePicker</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Image Files (%1)</source>
        <translation>Bilddateien (%1)</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>Datei wählen</translation>
    </message>
</context>
<context>
    <name>Links</name>
    <message>
        <source>not a web address</source>
        <translation>keine Webadresse</translation>
    </message>
    <message>
        <source>unknown host</source>
        <translation>unbekannter Host</translation>
    </message>
    <message>
        <source>more than %1 redirects</source>
        <translation>mehr als %1 Weiterleitungen</translation>
    </message>
    <message>
        <source>a redirect from https to plain http</source>
        <translation>eine Weiterleitung von https auf unverschlüsseltes http</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 bei %2</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>keine Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>working</source>
        <translation>funktioniert</translation>
    </message>
    <message>
        <source>broken (%1)</source>
        <translation>defekt (%1)</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>nicht geprüft</translation>
    </message>
    <message>
        <source>unverified (%1)</source>
        <translation>unbestätigt (%1)</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>secure connection (TLS) failed</source>
        <translation>sichere Verbindung (TLS) fehlgeschlagen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (PDF &quot;%2&quot;)</source>
        <translation>„%1“ (PDF „%2“)</translation>
    </message>
    <message>
        <source>The short links&apos; table %1 cannot be read: %2</source>
        <translation>Die Kurzlink-Tabelle %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The short links&apos; table %1 is damaged: %2 Orvanta leaves it as it is; mend it or move it away.</source>
        <translation>Die Tabelle der Kurzlinks %1 ist beschädigt: %2 Orvanta lässt sie, wie sie ist; reparieren Sie sie oder verschieben Sie sie.</translation>
    </message>
    <message>
        <source>The short links&apos; table %1 is damaged: it is no table Orvanta wrote.</source>
        <translation>Die Kurzlink-Tabelle %1 ist beschädigt: Sie ist keine Tabelle, die Orvanta geschrieben hat.</translation>
    </message>
    <message>
        <source>The short links&apos; table %1 was written by a newer Orvanta (version %2); use that one, or a copy of the table.</source>
        <translation>Die Tabelle der Kurzlinks %1 wurde von einem neueren Orvanta geschrieben (Version %2); verwenden Sie dieses oder eine Kopie der Tabelle.</translation>
    </message>
    <message>
        <source>its &quot;links&quot; is no list.</source>
        <translation>Ihr &quot;links&quot; ist keine Liste.</translation>
    </message>
    <message>
        <source>The short links&apos; table %1 is damaged: the entry &quot;%2&quot; is no sound short link.</source>
        <translation>Die Kurzlink-Tabelle %1 ist beschädigt: Der Eintrag „%2“ ist kein gültiger Kurzlink.</translation>
    </message>
    <message>
        <source>the short link &quot;%1&quot; stands in it twice.</source>
        <translation>Der Kurzlink &quot;%1&quot; steht zweimal darin.</translation>
    </message>
    <message>
        <source>The short links&apos; table could not be saved as %1: %2</source>
        <translation>Die Kurzlink-Tabelle konnte nicht als %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The short link &quot;%1&quot; already points campaign %2 to %3; campaign %4 would point it to %5. Give one of them another short link name.</source>
        <translation>Der Kurzlink „%1“ leitet Kampagne %2 bereits auf %3; Kampagne %4 würde ihn auf %5 leiten. Geben Sie einer von beiden einen anderen Kurzlink-Namen.</translation>
    </message>
    <message>
        <source>There is no short link &quot;%1&quot;; Orvanta makes one when it creates a PDF with a link base.</source>
        <translation>Es gibt keinen Kurzlink „%1“; Orvanta legt einen an, wenn es eine PDF mit einer Link-Basis erstellt.</translation>
    </message>
    <message>
        <source>The redirect file %1 could not be written: %2</source>
        <translation>Die Weiterleitungsdatei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The short link &quot;%1&quot; (%2) would put its redirect page outside the folder %3; give it a link base on your own site, like https://example.com/go/.</source>
        <translation>Der Kurzlink &quot;%1&quot; (%2) würde seine Weiterleitungsseite außerhalb des Ordners %3 ablegen; geben Sie ihm eine Link-Basis auf Ihrer eigenen Website, etwa https://example.com/go/.</translation>
    </message>
    <message>
        <source>The folder %1 for the redirect page of the short link &quot;%2&quot; could not be made.</source>
        <translation>Der Ordner %1 für die Weiterleitungsseite des Kurzlinks &quot;%2&quot; konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The folder %1 for the redirect files could not be made.</source>
        <translation>Der Ordner %1 für die Weiterleitungsdateien konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The short links&apos; table %1 is in use by another Orvanta; try again once it has finished.</source>
        <translation>Die Tabelle der Kurzlinks %1 wird von einem anderen Orvanta verwendet; versuchen Sie es erneut, sobald es fertig ist.</translation>
    </message>
    <message>
        <source>The short links&apos; table %1 is damaged: %2</source>
        <translation>Die Tabelle der Kurzlinks %1 ist beschädigt: %2</translation>
    </message>
    <message>
        <source>%1: target %2</source>
        <translation>%1: Ziel %2</translation>
    </message>
    <message>
        <source>; short link %1</source>
        <translation>; Kurzlink %1</translation>
    </message>
    <message>
        <source>The access log %1 could not be opened: %2</source>
        <translation>Das Zugriffsprotokoll %1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>The access log %1 is damaged or cut short (%2); the %n line(s) before that are counted, the rest is not.</source>
        <translation>
            <numerusform>Das Zugriffsprotokoll %1 ist beschädigt oder abgeschnitten (%2); die %n Zeile davor ist gezählt, der Rest nicht.</numerusform>
            <numerusform>Das Zugriffsprotokoll %1 ist beschädigt oder abgeschnitten (%2); die %n Zeilen davor sind gezählt, der Rest nicht.</numerusform>
        </translation>
    </message>
    <message>
        <source>The click counts %1 are damaged or from a newer Orvanta; they are left as they are.</source>
        <translation>Die Klickzahlen %1 sind beschädigt oder stammen von einem neueren Orvanta; sie bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>The click counts could not be saved as %1: %2</source>
        <translation>Die Klickzahlen konnten nicht als %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The access log %1 is not a file.</source>
        <translation>Das Zugriffsprotokoll %1 ist keine Datei.</translation>
    </message>
    <message>
        <source>%1 counted by an earlier import</source>
        <translation>%1 von einem früheren Import gezählt</translation>
    </message>
    <message>
        <source>%1 from crawlers, link previews or scripts</source>
        <translation>%1 von Crawlern, Linkvorschauen oder Skripten</translation>
    </message>
    <message>
        <source>%1 from Orvanta&apos;s link check</source>
        <translation>%1 von Orvantas Linkprüfung</translation>
    </message>
    <message>
        <source>%1 repeated within 30 s by the same visitor</source>
        <translation>%1 innerhalb von 30 s vom selben Besucher wiederholt</translation>
    </message>
    <message>
        <source>%1 not GET (HEAD and others)</source>
        <translation>%1 nicht GET (HEAD und andere)</translation>
    </message>
    <message>
        <source>%1 for other paths than the short links</source>
        <translation>%1 für andere Pfade als die Kurzlinks</translation>
    </message>
    <message>
        <source>%1 answered with an error or another status</source>
        <translation>%1 mit einem Fehler oder einem anderen Status beantwortet</translation>
    </message>
    <message>
        <source>%1 in another format or not UTF-8</source>
        <translation>%1 in einem anderen Format oder nicht UTF-8</translation>
    </message>
    <message>
        <source>%1 too long to be a request</source>
        <translation>%1 zu lang für eine Anfrage</translation>
    </message>
    <message>
        <source>%1: %2 lines, %3 clicks counted</source>
        <translation>%1: %2 Zeilen, %3 Klicks gezählt</translation>
    </message>
    <message>
        <source>Counted %1 clicks in %2 lines; left out:</source>
        <translation>%1 Klicks in %2 Zeilen gezählt; ausgelassen:</translation>
    </message>
    <message>
        <source>  nothing</source>
        <translation>  nichts</translation>
    </message>
    <message>
        <source>There are no short links in %1 yet, so no clicks to count; the logs are left unread.</source>
        <translation>In %1 gibt es noch keine Kurzlinks, also keine Klicks zu zählen; die Protokolle bleiben ungelesen.</translation>
    </message>
    <message>
        <source>The CSV file %1 could not be written: %2</source>
        <translation>Die CSV-Datei %1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>LinksDialog</name>
    <message>
        <source>&amp;Re-point</source>
        <translation>&amp;Umleiten</translation>
    </message>
    <message>
        <source>Short Links</source>
        <translation>Kurzlinks</translation>
    </message>
    <message>
        <source>Short link</source>
        <translation>Kurzlink</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Campaign</source>
        <translation>Kampagne</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>Last check</source>
        <translation>Letzte Prüfung</translation>
    </message>
    <message>
        <source>https://</source>
        <translation>https://</translation>
    </message>
    <message>
        <source>New &amp;target:</source>
        <translation>Neues &amp;Ziel:</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please select the short link to re-point.</source>
        <translation>Bitte wählen Sie den Kurzlink, der umgeleitet werden soll.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>&amp;Import Log...</source>
        <translation>Protokoll &amp;importieren...</translation>
    </message>
    <message>
        <source>Clicks</source>
        <translation>Klicks</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>Letzte 30 Tage</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Schaltfläche</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>QR-Code</translation>
    </message>
    <message>
        <source>Web page</source>
        <translation>Webseite</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Count the clicks on the short links from your site&apos;s access logs</source>
        <translation>Die Klicks auf die Kurzlinks aus den Zugriffsprotokollen Ihrer Website zählen</translation>
    </message>
    <message>
        <source>Clicks per day of the selected link, last 30 days (UTC):</source>
        <translation>Klicks pro Tag des ausgewählten Links, letzte 30 Tage (UTC):</translation>
    </message>
    <message>
        <source>Import Access Logs</source>
        <translation>Zugriffsprotokolle importieren</translation>
    </message>
    <message>
        <source>Access logs (*.log *.log.* *.gz access*)</source>
        <translation>Zugriffsprotokolle (*.log *.log.* *.gz access*)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>ListEditor</name>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Subtitle:</source>
        <translation>Untertitel:</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Aut&amp;hor:</source>
        <translation>Auto&amp;r:</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>&amp;Introduction:</source>
        <translation>&amp;Einleitung:</translation>
    </message>
    <message>
        <source>Introduction</source>
        <translation>Einleitung</translation>
    </message>
    <message>
        <source>Comparison table</source>
        <translation>Vergleichstabelle</translation>
    </message>
    <message>
        <source>Top list</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>Book</source>
        <translation>Buch</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Art:</translation>
    </message>
    <message>
        <source>&amp;Products:</source>
        <translation>&amp;Produkte:</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>Pros</source>
        <translation>Vorteile</translation>
    </message>
    <message>
        <source>Cons</source>
        <translation>Nachteile</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Fazit</translation>
    </message>
    <message>
        <source>Rows (after the rating):</source>
        <translation>Zeilen (nach der Bewertung):</translation>
    </message>
    <message>
        <source>How we &amp;ranked:</source>
        <translation>Wie wir gere&amp;iht haben:</translation>
    </message>
    <message>
        <source>How we ranked</source>
        <translation>Wie wir bewertet haben</translation>
    </message>
    <message>
        <source>Closin&amp;g text:</source>
        <translation>Schlusste&amp;xt:</translation>
    </message>
    <message>
        <source>Closing text</source>
        <translation>Schlusstext</translation>
    </message>
    <message>
        <source>Checked &amp;on:</source>
        <translation>Geprüft a&amp;m:</translation>
    </message>
    <message>
        <source>&amp;Design:</source>
        <translation>&amp;Design:</translation>
    </message>
    <message>
        <source>Design</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>&amp;Engine:</source>
        <translation>PDF-En&amp;gine:</translation>
    </message>
    <message>
        <source>Engine</source>
        <translation>PDF-Engine</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>Sprac&amp;he:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>PDF &amp;name:</source>
        <translation>PDF-&amp;Name:</translation>
    </message>
    <message>
        <source>PDF name</source>
        <translation>PDF-Name</translation>
    </message>
    <message>
        <source>Also save the &amp;web page</source>
        <translation>Auch die &amp;Webseite speichern</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Create</source>
        <translation>Erste&amp;llen</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>Save List As</source>
        <translation>Liste speichern unter</translation>
    </message>
    <message>
        <source>Lists (*.%1)</source>
        <translation>Listen (*.%1)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Missing Info</source>
        <translation>Fehlende Angaben</translation>
    </message>
    <message>
        <source>The PDF %1 was made. %2</source>
        <translation>Die PDF %1 wurde erstellt. %2</translation>
    </message>
    <message>
        <source>List Preview</source>
        <translation>Listenvorschau</translation>
    </message>
    <message>
        <source>Do you want to save the changes to the list %1?</source>
        <translation>Möchten Sie die Änderungen an der Liste %1 speichern?</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>%1 - unsaved changes - List</source>
        <translation>%1 - nicht gespeicherte Änderungen - Liste</translation>
    </message>
    <message>
        <source>%1 - List</source>
        <translation>%1 - Liste</translation>
    </message>
    <message>
        <source>New list</source>
        <translation>Neue Liste</translation>
    </message>
    <message>
        <source>The unsaved list is kept as %1.

You can open it any time with Campaign &gt; Open List or Open Recent.</source>
        <translation>Die ungespeicherte Liste wird als %1 aufbewahrt.

Sie können sie jederzeit über Kampagne &gt; Liste öffnen oder Zuletzt geöffnet öffnen.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Your changes to the list cannot be kept safe for a restart: %1

Save the list to keep them.</source>
        <translation>Ihre Änderungen an der Liste können nicht für einen Neustart gesichert werden: %1

Speichern Sie die Liste, um sie zu behalten.</translation>
    </message>
    <message>
        <source>an untitled list</source>
        <translation>eine unbenannte Liste</translation>
    </message>
    <message>
        <source>the list %1</source>
        <translation>die Liste %1</translation>
    </message>
    <message>
        <source>Orvanta was not closed normally. Unsaved changes to %1, last changed %2, were kept.

Do you want to restore them?</source>
        <translation>Orvanta wurde nicht normal beendet. Ungespeicherte Änderungen an %1, zuletzt geändert %2, wurden aufbewahrt.

Möchten Sie sie wiederherstellen?</translation>
    </message>
    <message>
        <source>Restore List</source>
        <translation>Liste wiederherstellen</translation>
    </message>
</context>
<context>
    <name>ListItemsPanel</name>
    <message>
        <source>&amp;Remove</source>
        <translation>Ent&amp;fernen</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>Na&amp;ch unten</translation>
    </message>
    <message>
        <source>Products in rank order</source>
        <translation>Produkte in der Reihenfolge ihres Rangs</translation>
    </message>
    <message>
        <source>Recent campaigns</source>
        <translation>Zuletzt geöffnete Kampagnen</translation>
    </message>
    <message>
        <source>&amp;Add Campaign...</source>
        <translation>&amp;Kampagne hinzufügen...</translation>
    </message>
    <message>
        <source>Add &amp;Recent</source>
        <translation>Zuletzt ge&amp;öffnete hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Badge:</source>
        <translation>Ab&amp;zeichen:</translation>
    </message>
    <message>
        <source>Best &amp;for:</source>
        <translation>Am &amp;besten für:</translation>
    </message>
    <message>
        <source>Add a Campaign to the List</source>
        <translation>Eine Kampagne zur Liste hinzufügen</translation>
    </message>
    <message>
        <source>Campaigns (*.orvanta)</source>
        <translation>Kampagnen (*.orvanta)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The list already holds %1.</source>
        <translation>Die Liste enthält %1 bereits.</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start Orvanta with the &quot;orvanta&quot; command or from the applications menu, which runs a copy in your home folder, or copy the folder %1 to a place where you may write and start it there.</source>
        <translation>Starten Sie Orvanta mit dem Befehl „orvanta“ oder aus dem Anwendungsmenü, das eine Kopie in Ihrem Home-Ordner ausführt, oder kopieren Sie den Ordner %1 an einen Ort, an dem Sie schreiben dürfen, und starten Sie es dort.</translation>
    </message>
    <message>
        <source>Copy the folder %1 to a place where you may write and start Orvanta there.</source>
        <translation>Kopieren Sie den Ordner %1 an einen Ort, an dem Sie schreiben dürfen, und starten Sie Orvanta dort.</translation>
    </message>
    <message>
        <source>Orvanta cannot save files in its folder:
%1

Pages and PDFs are written there, so &quot;Create&quot; would fail. </source>
        <translation>Orvanta kann in seinem Ordner keine Dateien speichern:
%1

Seiten und PDFs werden dort geschrieben, daher würde „Erstellen“ fehlschlagen. </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>A PDF is being created. Do you want to stop it and close Orvanta?</source>
        <translation>Eine PDF wird gerade erstellt. Möchten Sie das anhalten und Orvanta schließen?</translation>
    </message>
    <message>
        <source>Please select a product first.</source>
        <translation>Bitte wählen Sie zuerst ein Produkt.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Step 1: Make a Quick Affiliate Review</source>
        <translation>Schritt 1: Affiliate-Rezension schreiben</translation>
    </message>
    <message>
        <source>Step 2: Select A Bonus</source>
        <translation>Schritt 2: Bonus wählen</translation>
    </message>
    <message>
        <source>Step 3: Create Affiliate PDF</source>
        <translation>Schritt 3: Affiliate-PDF erstellen</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>Please enter a name for the pdf.</source>
        <translation>Bitte geben Sie einen Namen für die PDF ein.</translation>
    </message>
    <message>
        <source>Please select an image of the affiliate product that you want to promote (like a product cover etc). You can do this from the first tab. </source>
        <translation>Bitte wählen Sie ein Bild des Affiliate-Produkts, das Sie bewerben möchten (etwa ein Produktcover). Das geht im ersten Schritt. </translation>
    </message>
    <message>
        <source>Please select a bonus from the list or enable the option to use your own bonus.</source>
        <translation>Bitte wählen Sie einen Bonus aus der Liste oder aktivieren Sie die Option für einen eigenen Bonus.</translation>
    </message>
    <message>
        <source>Please complete all the required fields.</source>
        <translation>Bitte füllen Sie alle Pflichtfelder aus.</translation>
    </message>
    <message>
        <source>Your Affiliate Link must be a web address that begins with http:// or https://.</source>
        <translation>Ihr Affiliate-Link muss eine Webadresse sein, die mit http:// oder https:// beginnt.</translation>
    </message>
    <message>
        <source>If you want to use your own bonus, please provide an image for it to use as description.</source>
        <translation>Wenn Sie einen eigenen Bonus verwenden möchten, geben Sie bitte ein Bild an, das ihn beschreibt.</translation>
    </message>
    <message>
        <source>Target file not found.</source>
        <translation>Zieldatei nicht gefunden.</translation>
    </message>
    <message>
        <source>You are not including bonus download instructions. If you are promoting a JVZoo / W+ product is recommended to add them. Would you like to add built-in &apos;Bonus Delivery&apos; instructions for these platforms?</source>
        <translation>Sie fügen keine Anleitung zum Herunterladen des Bonus hinzu. Wenn Sie ein JVZoo-/W+-Produkt bewerben, wird sie empfohlen. Möchten Sie die mitgelieferte Anleitung „Bonus-Auslieferung“ für diese Plattformen hinzufügen?</translation>
    </message>
    <message>
        <source>The old page %1 could not be deleted: %2</source>
        <translation>Die alte Seite %1 konnte nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link; a design holds its own files.</source>
        <translation>„%1“ ist eine Verknüpfung; ein Design enthält seine eigenen Dateien.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an ordinary file.</source>
        <translation>„%1“ ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2.</source>
        <translation>„%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is named like a page or a file of Orvanta; please rename it.</source>
        <translation>„%1“ heißt wie eine Seite oder eine Datei von Orvanta; bitte benennen Sie sie um.</translation>
    </message>
    <message>
        <source>its template lacks the placeholder %1.</source>
        <translation>seiner Vorlage fehlt der Platzhalter %1.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>%1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The original page: a deep blue band, white cards and an orange button.</source>
        <translation>Die ursprüngliche Seite: ein tiefblaues Band, weiße Karten und eine orange Schaltfläche.</translation>
    </message>
    <message>
        <source>it holds %1; a design holds at most %2.</source>
        <translation>es enthält %1; ein Design enthält höchstens %2.</translation>
    </message>
    <message>
        <source>its %1 is not UTF-8 text.</source>
        <translation>seine Datei %1 ist kein UTF-8-Text.</translation>
    </message>
    <message>
        <source>The design &quot;%1&quot; cannot be used: %2</source>
        <translation>Das Design „%1“ kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>its name is the name of Orvanta&apos;s own design.</source>
        <translation>sein Name ist der Name von Orvantas eigenem Design.</translation>
    </message>
    <message>
        <source>its name differs from the design folder %1 only in letter case; please rename one of the two.</source>
        <translation>sein Name unterscheidet sich vom Designordner %1 nur in der Groß- und Kleinschreibung; bitte benennen Sie einen der beiden um.</translation>
    </message>
    <message>
        <source>it has no %1.</source>
        <translation>es hat keine Datei %1.</translation>
    </message>
    <message>
        <source>There is no design &quot;%1&quot; in %2.</source>
        <translation>Es gibt kein Design „%1“ in %2.</translation>
    </message>
    <message>
        <source>The folder %1 could not be created.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The image &quot;%1&quot; cannot be used: &quot;%2&quot; is a file of Orvanta. Please rename the image.</source>
        <translation>Das Bild „%1“ kann nicht verwendet werden: „%2“ ist eine Datei von Orvanta. Bitte benennen Sie das Bild um.</translation>
    </message>
    <message>
        <source>The image &quot;%1&quot; has the name of a file of the design &quot;%2&quot;. Please rename the image.</source>
        <translation>Das Bild „%1“ trägt den Namen einer Datei des Designs „%2“. Bitte benennen Sie das Bild um.</translation>
    </message>
    <message>
        <source>The language &quot;%1&quot; is not a language tag: give one like de or pt-BR, letters and digits joined by &apos;-&apos;.</source>
        <translation>Die Sprache „%1“ ist kein Sprachkürzel: Geben Sie eines wie de oder pt-BR an, Buchstaben und Ziffern, mit „-“ verbunden.</translation>
    </message>
    <message>
        <source>%1 is not a word of the page; the words are %2.</source>
        <translation>%1 ist kein Wort der Seite; die Wörter sind %2.</translation>
    </message>
    <message>
        <source>%1 lacks %2, where the rating goes.</source>
        <translation>%1 fehlt %2, wo die Bewertung steht.</translation>
    </message>
    <message>
        <source>The pdf name may not contain these characters: %1</source>
        <translation>Der PDF-Name darf diese Zeichen nicht enthalten: %1</translation>
    </message>
    <message>
        <source>The pdf name may not be &quot;.&quot; or &quot;..&quot;.</source>
        <translation>Der PDF-Name darf nicht „.“ oder „..“ sein.</translation>
    </message>
    <message>
        <source>The pdf name is too long. Please use a shorter name.</source>
        <translation>Der PDF-Name ist zu lang. Bitte verwenden Sie einen kürzeren Namen.</translation>
    </message>
    <message>
        <source>There is no link to make a QR code of.</source>
        <translation>Es gibt keinen Link, aus dem ein QR-Code werden kann.</translation>
    </message>
    <message>
        <source>The link is too long for a QR code: it has %1 bytes, a QR code holds at most %2. Please shorten the link or leave the QR code out.</source>
        <translation>Der Link ist zu lang für einen QR-Code: Er hat %1 Bytes, ein QR-Code fasst höchstens %2. Bitte kürzen Sie den Link oder lassen Sie den QR-Code weg.</translation>
    </message>
    <message>
        <source>The QR code of the link could not be made: %1.</source>
        <translation>Der QR-Code des Links konnte nicht erstellt werden: %1.</translation>
    </message>
    <message>
        <source>Could not create a working folder in %1: %2</source>
        <translation>In %1 konnte kein Arbeitsordner angelegt werden: %2</translation>
    </message>
    <message>
        <source>Could not make the page scripts available in %1.</source>
        <translation>Die Skripte der Seite konnten in %1 nicht bereitgestellt werden.</translation>
    </message>
    <message>
        <source>The design &quot;%1&quot; cannot make a list: its list.html lacks the placeholder %2.</source>
        <translation>Das Design „%1“ kann keine Liste erstellen: Seiner list.html fehlt der Platzhalter %2.</translation>
    </message>
    <message>
        <source>The design &quot;%1&quot; holds a file named %2, which a list&apos;s picture needs. Please rename it.</source>
        <translation>Das Design „%1“ enthält eine Datei namens %2, die ein Bild der Liste braucht. Bitte benennen Sie sie um.</translation>
    </message>
</context>
<context>
    <name>PagePipeline</name>
    <message>
        <source>Stopped before the PDF was made.</source>
        <translation>Angehalten, bevor die PDF erstellt wurde.</translation>
    </message>
    <message>
        <source>The PDF %1 was made. %2</source>
        <translation>Die PDF %1 wurde erstellt. %2</translation>
    </message>
    <message>
        <source>The PDF is accessible (PDF/UA-1).</source>
        <translation>Das PDF ist barrierefrei (PDF/UA-1).</translation>
    </message>
    <message>
        <source>The PDF is tagged, but not accessible (PDF/UA-1): it lacks %1.</source>
        <translation>Das PDF ist ausgezeichnet, aber nicht barrierefrei (PDF/UA-1): Es fehlt %1.</translation>
    </message>
</context>
<context>
    <name>PagePreview</name>
    <message>
        <source>Fit &amp;Width</source>
        <translation>&amp;Breite anpassen</translation>
    </message>
    <message>
        <source>Fit width</source>
        <translation>An Breite anpassen</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Page Preview</source>
        <translation>Seitenvorschau</translation>
    </message>
    <message>
        <source>Rendering the page…</source>
        <translation>Die Seite wird gerendert…</translation>
    </message>
    <message>
        <source>Page preview</source>
        <translation>Seitenvorschau</translation>
    </message>
    <message>
        <source>The preview could not be updated:</source>
        <translation>Die Vorschau konnte nicht aktualisiert werden:</translation>
    </message>
    <message>
        <source>Not up to date</source>
        <translation>Nicht aktuell</translation>
    </message>
    <message>
        <source>Up to date</source>
        <translation>Aktuell</translation>
    </message>
</context>
<context>
    <name>Preflight</name>
    <message>
        <source>%1 lost its tracking tags (the PDF opens %2)</source>
        <translation>%1 hat seine Tracking-Tags verloren (die PDF öffnet %2)</translation>
    </message>
    <message>
        <source>%1 is a link only on a spot too small to see or click</source>
        <translation>%1 ist nur auf einer Stelle ein Link, die zu klein zum Sehen oder Klicken ist</translation>
    </message>
    <message>
        <source>%1 is not a clickable link</source>
        <translation>%1 ist kein anklickbarer Link</translation>
    </message>
    <message>
        <source>%1. Check the affiliate link in Step 1 and create the PDF again.</source>
        <translation>%1. Prüfen Sie den Affiliate-Link in Schritt 1 und erstellen Sie die PDF erneut.</translation>
    </message>
    <message>
        <source>its link &quot;%1&quot; is no web address, so a click does not open the offer. Write the affiliate link in Step 1 with https:// in front.</source>
        <translation>sein Link „%1“ ist keine Webadresse, daher öffnet ein Klick das Angebot nicht. Schreiben Sie den Affiliate-Link in Schritt 1 mit https:// davor.</translation>
    </message>
    <message>
        <source>%1 is not embedded, so readers without it see another font. Use one of the fonts Orvanta installs: %2.</source>
        <translation>%1 ist nicht eingebettet, daher sehen Leser ohne diese Schrift eine andere. Verwenden Sie eine der Schriften, die Orvanta installiert: %2.</translation>
    </message>
    <message>
        <source>neither a title nor a language</source>
        <translation>weder einen Titel noch eine Sprache</translation>
    </message>
    <message>
        <source>no title</source>
        <translation>keinen Titel</translation>
    </message>
    <message>
        <source>no language</source>
        <translation>keine Sprache</translation>
    </message>
    <message>
        <source>the PDF names %1, which viewers and screen readers show. Fill in the main title in Step 1 and keep the language the design&apos;s page names.</source>
        <translation>die PDF nennt %1, was Betrachter und Screenreader anzeigen. Füllen Sie den Haupttitel in Schritt 1 aus und behalten Sie die Sprache, die die Seite des Designs nennt.</translation>
    </message>
    <message>
        <source>the PDF is %1, over its budget of %2. Tick &quot;Make the PDF smaller&quot; or use smaller pictures.</source>
        <translation>die PDF ist %1 groß, über ihrem Budget von %2. Haken Sie „PDF verkleinern“ an oder verwenden Sie kleinere Bilder.</translation>
    </message>
    <message>
        <source>1 picture holds</source>
        <translation>1 Bild enthält</translation>
    </message>
    <message>
        <source>%1 pictures hold</source>
        <translation>%1 Bilder enthalten</translation>
    </message>
    <message>
        <source> far more pixels than shown (%1 × %2 pixels shown %3 pixels wide), which only makes the PDF larger. Tick &quot;Make the PDF smaller&quot; or use smaller pictures.</source>
        <translation> weit mehr Pixel als gezeigt (%1 × %2 Pixel, gezeigt %3 Pixel breit), was die PDF nur größer macht. Haken Sie „PDF verkleinern“ an oder verwenden Sie kleinere Bilder.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be found in the PDF&apos;s text, so searches and screen readers miss it. Keep the title as text in the design and create the PDF again.</source>
        <translation>„%1“ ist im Text der PDF nicht zu finden, daher übersehen Suchen und Screenreader ihn. Lassen Sie den Titel im Design als Text und erstellen Sie die PDF erneut.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; stands in the PDF only where a reader cannot see it (%2). Show the title as the design sets it and create the PDF again.</source>
        <translation>„%1“ steht in der PDF nur, wo ein Leser ihn nicht sehen kann (%2). Zeigen Sie den Titel so, wie das Design ihn setzt, und erstellen Sie die PDF erneut.</translation>
    </message>
    <message>
        <source>the PDF&apos;s disclosure line is %1, so a reader does not see it. Show it as plain text above the buy button.</source>
        <translation>die Offenlegungszeile der PDF ist %1, daher sieht ein Leser sie nicht. Zeigen Sie sie als einfachen Text über der Kaufschaltfläche.</translation>
    </message>
    <message>
        <source>the PDF holds no disclosure line (like &quot;we may earn a commission&quot;). Use a design with one, or add one to the review above the buy button.</source>
        <translation>die PDF enthält keine Offenlegungszeile (etwa „wir erhalten eventuell eine Provision“). Verwenden Sie ein Design mit einer oder fügen Sie der Rezension über der Kaufschaltfläche eine hinzu.</translation>
    </message>
    <message>
        <source>the disclosure stands after the buy button, but a reader must see it first. Move it above the button.</source>
        <translation>die Offenlegung steht nach der Kaufschaltfläche, aber ein Leser muss sie zuerst sehen. Setzen Sie sie über die Schaltfläche.</translation>
    </message>
    <message>
        <source>the saved web page %1 could not be read: %2.</source>
        <translation>die gespeicherte Webseite %1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>in the saved web page %1. Search engines ask for rel=&quot;nofollow sponsored&quot; on paid links; use a design that sets it.</source>
        <translation>in der gespeicherten Webseite %1. Suchmaschinen verlangen rel=&quot;nofollow sponsored&quot; bei bezahlten Links; verwenden Sie ein Design, das es setzt.</translation>
    </message>
    <message>
        <source>%1 on %2 (%3) reads at %4 : 1, below the %5 : 1 text needs</source>
        <translation>%1 auf %2 (%3) hat einen Kontrast von %4 : 1, unter den %5 : 1, die Text braucht</translation>
    </message>
    <message>
        <source>, and 1 more pair</source>
        <translation>, und 1 weiteres Paar</translation>
    </message>
    <message>
        <source>, and %1 more pairs</source>
        <translation>, und %1 weitere Paare</translation>
    </message>
    <message>
        <source>. Choose darker text or a lighter background.</source>
        <translation>. Wählen Sie dunkleren Text oder einen helleren Hintergrund.</translation>
    </message>
    <message>
        <source>1 picture has no description, so screen readers pass over it.</source>
        <translation>1 Bild hat keine Beschreibung, daher übergehen Screenreader es.</translation>
    </message>
    <message>
        <source>%1 pictures have no description, so screen readers pass over them.</source>
        <translation>%1 Bilder haben keine Beschreibung, daher übergehen Screenreader sie.</translation>
    </message>
    <message>
        <source> Give each picture of the review an alt text.</source>
        <translation> Geben Sie jedem Bild der Rezension einen Alternativtext.</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Buy button</source>
        <translation>Kaufschaltfläche</translation>
    </message>
    <message>
        <source>Main title</source>
        <translation>Haupttitel</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Schriften</translation>
    </message>
    <message>
        <source>Title and language</source>
        <translation>Titel und Sprache</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Disclosure</source>
        <translation>Offenlegung</translation>
    </message>
    <message>
        <source>Sponsored links</source>
        <translation>Gesponserte Links</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Picture descriptions</source>
        <translation>Bildbeschreibungen</translation>
    </message>
    <message>
        <source>Preflight: the 1 check passed.</source>
        <translation>Preflight: Die 1 Prüfung wurde bestanden.</translation>
    </message>
    <message>
        <source>Preflight: all %1 checks passed.</source>
        <translation>Preflight: Alle %1 Prüfungen wurden bestanden.</translation>
    </message>
    <message>
        <source>Preflight: 1 check failed; the PDF is kept as made.</source>
        <translation>Preflight: 1 Prüfung fehlgeschlagen; die PDF bleibt, wie sie erstellt wurde.</translation>
    </message>
    <message>
        <source>Preflight: %1 checks failed; the PDF is kept as made.</source>
        <translation>Preflight: %1 Prüfungen fehlgeschlagen; die PDF bleibt, wie sie erstellt wurde.</translation>
    </message>
    <message>
        <source>it could not be read: %1. Create it again; if this stays, the converter did not write a whole PDF.</source>
        <translation>sie konnte nicht gelesen werden: %1. Erstellen Sie sie erneut; bleibt es dabei, hat der Konverter keine vollständige PDF geschrieben.</translation>
    </message>
    <message>
        <source>(unnamed)</source>
        <translation>(unbenannt)</translation>
    </message>
    <message>
        <source>%1 is not on the page</source>
        <translation>%1 ist nicht auf der Seite</translation>
    </message>
    <message>
        <source>%1 lacks rel=&quot;nofollow sponsored&quot;</source>
        <translation>%1 fehlt rel=&quot;nofollow sponsored&quot;</translation>
    </message>
    <message>
        <source>Offer links bypass the short link: %1%2. Link them to %3 instead, so that re-pointing it reaches every reader.</source>
        <translation>Angebotslinks umgehen den Kurzlink: %1%2. Verlinken Sie stattdessen auf %3, damit ein Umleiten jeden Leser erreicht.</translation>
    </message>
    <message>
        <source>Short link</source>
        <translation>Kurzlink</translation>
    </message>
    <message>
        <source>%1 is not a PDF that Qt&apos;s PDF reader opens (error %2)</source>
        <translation>%1 ist keine PDF, die Qts PDF-Leser öffnet (Fehler %2)</translation>
    </message>
    <message>
        <source>too small, too faint, covered or off the page</source>
        <translation>zu klein, zu blass, verdeckt oder außerhalb der Seite</translation>
    </message>
    <message>
        <source>How we ranked</source>
        <translation>Wie wir bewertet haben</translation>
    </message>
    <message>
        <source>%1: the list does not say how it ranked its products. Say it in the list&apos;s &quot;howWeRanked&quot; and create the PDF again.</source>
        <translation>%1: Die Liste sagt nicht, wie sie ihre Produkte gereiht hat. Sagen Sie es in „howWeRanked“ der Liste und erstellen Sie die PDF erneut.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; cannot be found in the PDF&apos;s text, so readers cannot see how the products were ranked. Keep it as text on the design&apos;s list page and create the PDF again.</source>
        <translation>%1: „%2“ steht nicht im Text der PDF, daher sehen Leser nicht, wie die Produkte gereiht wurden. Lassen Sie es als Text auf der Listenseite des Designs stehen und erstellen Sie die PDF erneut.</translation>
    </message>
    <message>
        <source>Ranking: the badge &quot;%1&quot; stands on %2, rated %3, while %4, rated %5, has none; readers take a badge for the better product. Give the badge to the product rated higher, or say in &quot;How we ranked&quot; why.</source>
        <translation>Reihung: Die Auszeichnung „%1“ steht bei %2, bewertet mit %3, während %4, bewertet mit %5, keine hat; Leser halten eine Auszeichnung für das bessere Produkt. Geben Sie die Auszeichnung dem höher bewerteten Produkt, oder sagen Sie in „Wie wir bewertet haben“, warum.</translation>
    </message>
    <message>
        <source>The book %1 has no heading &quot;%2&quot; in its outline.</source>
        <translation>Das Buch %1 hat keine Überschrift &quot;%2&quot; in seinen Lesezeichen.</translation>
    </message>
    <message>
        <source>The book %1 could not be read: %2</source>
        <translation>Das Buch %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Contents: the chapter &quot;%1&quot; begins on page %2, which the contents do not say. Create the book again.</source>
        <translation>Inhalt: Das Kapitel &quot;%1&quot; beginnt auf Seite %2, was das Inhaltsverzeichnis nicht angibt. Erstellen Sie das Buch erneut.</translation>
    </message>
    <message>
        <source>Chapter link: the chapter &quot;%1&quot; holds no link to %2, so its Buy button does not lead to its offer.</source>
        <translation>Kapitel-Link: Das Kapitel &quot;%1&quot; enthält keinen Link auf %2, sein Kaufen-Knopf führt also nicht zu seinem Angebot.</translation>
    </message>
    <message>
        <source>Contents: %1</source>
        <translation>Inhalt: %1</translation>
    </message>
    <message>
        <source>Chapter link: %1 could not be read: %2</source>
        <translation>Kapitel-Link: %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Disclosure: &quot;%1&quot; stands neither on the cover nor on the first page of text.</source>
        <translation>Offenlegung: &quot;%1&quot; steht weder auf dem Umschlag noch auf der ersten Textseite.</translation>
    </message>
    <message>
        <source>tab order by structure</source>
        <translation>die Tab-Reihenfolge nach der Struktur</translation>
    </message>
    <message>
        <source>%1 marks neither tagged nor an artifact</source>
        <translation>%1 Zeichnungen, die weder ausgezeichnet noch als Artefakt markiert sind</translation>
    </message>
    <message>
        <source>fonts embedded</source>
        <translation>das Einbetten der Schriften</translation>
    </message>
    <message>
        <source>every link tagged and described</source>
        <translation>die Auszeichnung und Beschreibung jedes Links</translation>
    </message>
    <message>
        <source>tagged structure</source>
        <translation>die ausgezeichnete Struktur</translation>
    </message>
    <message>
        <source>the document&apos;s language</source>
        <translation>die Sprache des Dokuments</translation>
    </message>
    <message>
        <source>title shown</source>
        <translation>die Anzeige des Titels</translation>
    </message>
    <message>
        <source>title in the XMP</source>
        <translation>der Titel in den XMP-Daten</translation>
    </message>
    <message>
        <source>%1 figures without alt text</source>
        <translation>Alternativtext für %1 Abbildungen</translation>
    </message>
    <message>
        <source>headings from level 1 without a skip</source>
        <translation>Überschriften ab Ebene 1 ohne Sprung</translation>
    </message>
    <message>
        <source>table header cells with a scope</source>
        <translation>Tabellenkopfzellen mit Geltungsbereich</translation>
    </message>
</context>
<context>
    <name>PreviewRender</name>
    <message>
        <source>The preview PDF %1 could not be opened.</source>
        <translation>Die Vorschau-PDF %1 konnte nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>ProductViewer</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Product Viewer</source>
        <translation>Produktansicht</translation>
    </message>
    <message>
        <source>The preview page was not found: %1</source>
        <translation>Die Vorschauseite wurde nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>RecentList</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>RedirectCheck</name>
    <message>
        <source>redirects to its target</source>
        <translation>leitet auf sein Ziel weiter</translation>
    </message>
    <message>
        <source>it redirects to %1, not to its target %2</source>
        <translation>er leitet auf %1 weiter, nicht auf sein Ziel %2</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>keine Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>it answers %1 without redirecting</source>
        <translation>er antwortet %1, ohne weiterzuleiten</translation>
    </message>
</context>
<context>
    <name>ReviewBlocksPanel</name>
    <message>
        <source>R&amp;ating:</source>
        <translation>Be&amp;wertung:</translation>
    </message>
    <message>
        <source>&amp;Verdict:</source>
        <translation>&amp;Fazit:</translation>
    </message>
    <message>
        <source>&amp;Pros (one per line):</source>
        <translation>&amp;Vorteile (einer pro Zeile):</translation>
    </message>
    <message>
        <source>C&amp;ons (one per line):</source>
        <translation>N&amp;achteile (einer pro Zeile):</translation>
    </message>
    <message>
        <source>No rating</source>
        <translation>Keine Bewertung</translation>
    </message>
    <message>
        <source> of 5</source>
        <translation> von 5</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>A sentence or two</source>
        <translation>Ein oder zwei Sätze</translation>
    </message>
</context>
<context>
    <name>ReviewPage</name>
    <message>
        <source>Step 1: Enter the Affiliate Offer Info</source>
        <translation>Schritt 1: Angaben zum Affiliate-Angebot</translation>
    </message>
    <message>
        <source>&amp;Main Title:</source>
        <translation>&amp;Haupttitel:</translation>
    </message>
    <message>
        <source>Affiliate Offer &amp;Image (Product Cover etc):</source>
        <translation>Angebotsb&amp;ild (Produktcover usw.):</translation>
    </message>
    <message>
        <source>Select Image</source>
        <translation>Bild wählen</translation>
    </message>
    <message>
        <source>Picture d&amp;escription:</source>
        <translation>Bildbe&amp;schreibung:</translation>
    </message>
    <message>
        <source>Quick Affiliate &amp;Review:</source>
        <translation>Kurze Affiliate-&amp;Rezension:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italics</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Revie&amp;w</source>
        <translation>Re&amp;zension</translation>
    </message>
    <message>
        <source>Review &amp;blocks</source>
        <translation>Rezensions&amp;blöcke</translation>
    </message>
    <message>
        <source>Comment: In general you don&apos;t need to spend a lot of time with the review. One or two paragraphs should be enough and then it&apos;s time to move to the bonus (the incentive that you&apos;re giving to those who buy through your affiliate link).</source>
        <translation>Hinweis: Im Allgemeinen müssen Sie nicht viel Zeit in die Rezension stecken. Ein oder zwei Absätze sollten reichen, und dann geht es weiter zum Bonus (dem Anreiz, den Sie allen geben, die über Ihren Affiliate-Link kaufen).</translation>
    </message>
    <message>
        <source>Your Affiliate &amp;Link:</source>
        <translation>Ihr Affiliate-&amp;Link:</translation>
    </message>
    <message>
        <source>Bonus picture descriptio&amp;n:</source>
        <translation>Bo&amp;nus-Bildbeschreibung:</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>Sprach&amp;e:</translation>
    </message>
    <message>
        <source>Short lin&amp;k:</source>
        <translation>K&amp;urzlink:</translation>
    </message>
    <message>
        <source>from the PDF name</source>
        <translation>aus dem PDF-Namen</translation>
    </message>
    <message>
        <source>The name of the short link on your site, used when the brand has a link base; left empty it is made from the PDF name</source>
        <translation>Der Name des Kurzlinks auf Ihrer Website, verwendet, wenn die Marke eine Link-Basis hat; leer gelassen, wird er aus dem PDF-Namen gebildet</translation>
    </message>
    <message>
        <source>The main title when left empty</source>
        <translation>Der Haupttitel, wenn leer gelassen</translation>
    </message>
    <message>
        <source>The bonus headline when left empty</source>
        <translation>Die Bonus-Überschrift, wenn leer gelassen</translation>
    </message>
    <message>
        <source>The design&apos;s own</source>
        <translation>Die des Designs</translation>
    </message>
    <message>
        <source>&amp;Tags...</source>
        <translation>&amp;Tags...</translation>
    </message>
    <message>
        <source>Tracking tags</source>
        <translation>Tracking-Tags</translation>
    </message>
    <message>
        <source>Tracking tags added to the affiliate link on the page</source>
        <translation>Tracking-Tags, die dem Affiliate-Link auf der Seite angehängt werden</translation>
    </message>
    <message>
        <source>Tracking tag %1</source>
        <translation>Tracking-Tag %1</translation>
    </message>
    <message>
        <source>Link on the page: %1</source>
        <translation>Link auf der Seite: %1</translation>
    </message>
    <message>
        <source>On the page: %1</source>
        <translation>Auf der Seite: %1</translation>
    </message>
    <message>
        <source>Affiliate offer image file</source>
        <translation>Bilddatei des Affiliate-Angebots</translation>
    </message>
</context>
<context>
    <name>Run</name>
    <message>
        <source>%1: the link %2 is %3.</source>
        <translation>%1: Der Link %2 ist %3.</translation>
    </message>
    <message>
        <source>%1: %2 is %3</source>
        <translation>%1: %2 ist %3</translation>
    </message>
    <message>
        <source>Row %1 already makes the PDF &quot;%2&quot;; please give this row another PDF name.</source>
        <translation>Zeile %1 erstellt bereits die PDF „%2“; bitte geben Sie dieser Zeile einen anderen PDF-Namen.</translation>
    </message>
    <message>
        <source>The PDF %1 could not be made: %2</source>
        <translation>Die PDF %1 konnte nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>The PDF could not be saved as %1: %2</source>
        <translation>Die PDF konnte nicht als %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>The list %1, item %2 (%3): %4</source>
        <translation>Die Liste %1, Eintrag %2 (%3): %4</translation>
    </message>
    <message>
        <source>The list %1: %2</source>
        <translation>Die Liste %1: %2</translation>
    </message>
    <message>
        <source>The book&apos;s page numbers did not settle after %1 prints: a chapter moved each time the contents were numbered. Shorten a long chapter title, then make the book again.</source>
        <translation>Die Seitenzahlen des Buchs standen nach %1 Druckläufen noch nicht fest: Ein Kapitel verschob sich jedes Mal, wenn das Inhaltsverzeichnis nummeriert wurde. Kürzen Sie einen langen Kapiteltitel und erstellen Sie das Buch erneut.</translation>
    </message>
    <message>
        <source>The book&apos;s contents could not be numbered in %1: %2</source>
        <translation>Das Inhaltsverzeichnis des Buchs konnte in %1 nicht nummeriert werden: %2</translation>
    </message>
    <message>
        <source>A book is printed with Chromium, which is not installed, so no book was made. Install the package &quot;chromium-headless-shell&quot; or &quot;chromium&quot;.</source>
        <translation>Ein Buch wird mit Chromium gedruckt, das nicht installiert ist; es wurde kein Buch erstellt. Installieren Sie das Paket &quot;chromium-headless-shell&quot; oder &quot;chromium&quot;.</translation>
    </message>
    <message>
        <source>A book is printed with Chromium, as wkhtmltopdf cannot number its pages or tag it; the PDF was made with Chromium.</source>
        <translation>Ein Buch wird mit Chromium gedruckt, da wkhtmltopdf seine Seiten weder nummerieren noch auszeichnen kann; das PDF wurde mit Chromium erstellt.</translation>
    </message>
    <message>
        <source>%1 and %2 both take the place %3 in the list %4; give each its own rank.</source>
        <translation>%1 und %2 nehmen beide den Platz %3 in der Liste %4 ein; geben Sie jeder Zeile ihren eigenen Rang.</translation>
    </message>
    <message>
        <source>The list %1 has rows of its own, with a value for each of its own products; a sheet cannot fill it with other products. Please remove those rows or keep the list apart.</source>
        <translation>Die Liste %1 hat eigene Zeilen mit einem Wert für jedes ihrer eigenen Produkte; eine Tabelle kann sie nicht mit anderen Produkten füllen. Bitte entfernen Sie diese Zeilen oder halten Sie die Liste getrennt.</translation>
    </message>
</context>
<context>
    <name>SheetDialog</name>
    <message>
        <source>No sheet chosen yet.</source>
        <translation>Noch keine Tabelle gewählt.</translation>
    </message>
    <message>
        <source>Choose &amp;Sheet...</source>
        <translation>&amp;Tabelle wählen...</translation>
    </message>
    <message>
        <source>Choose &amp;Base Campaign...</source>
        <translation>&amp;Basiskampagne wählen...</translation>
    </message>
    <message>
        <source>Check &amp;Links</source>
        <translation>&amp;Links prüfen</translation>
    </message>
    <message>
        <source>&amp;Create All</source>
        <translation>&amp;Alle erstellen</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Save Rows as C&amp;ampaigns...</source>
        <translation>Zeilen als &amp;Kampagnen speichern...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Make PDFs from a Spreadsheet</source>
        <translation>PDFs aus einer Tabelle erstellen</translation>
    </message>
    <message>
        <source>Base campaign: the one open in the window</source>
        <translation>Basiskampagne: die im Fenster geöffnete</translation>
    </message>
    <message>
        <source>Base campaign: %1 (open in the window)</source>
        <translation>Basiskampagne: %1 (im Fenster geöffnet)</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Choose a Sheet of Offers</source>
        <translation>Tabelle mit Angeboten wählen</translation>
    </message>
    <message>
        <source>Spreadsheets saved as CSV (*.csv)</source>
        <translation>Als CSV gespeicherte Tabellen (*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Choose the Base Campaign</source>
        <translation>Basiskampagne wählen</translation>
    </message>
    <message>
        <source>Orvanta campaigns (*.%1)</source>
        <translation>Orvanta-Kampagnen (*.%1)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Base campaign: %1</source>
        <translation>Basiskampagne: %1</translation>
    </message>
    <message>
        <source>Sheet: %1</source>
        <translation>Tabelle: %1</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>%1 of %2 rows are ready to make.</source>
        <translation>%1 von %2 Zeilen sind bereit zum Erstellen.</translation>
    </message>
    <message>
        <source>The columns %1 are no campaign fields; their cells are left out.</source>
        <translation>Die Spalten %1 sind keine Kampagnenfelder; ihre Zellen werden ausgelassen.</translation>
    </message>
    <message>
        <source>Checking links: %v of %m</source>
        <translation>Links werden geprüft: %v von %m</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message numerus="yes">
        <source>%n link(s) are broken:

%1

Create anyway?</source>
        <translation>
            <numerusform>%n Link ist defekt:

%1

Trotzdem erstellen?</numerusform>
            <numerusform>%n Links sind defekt:

%1

Trotzdem erstellen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Broken Links</source>
        <translation>Defekte Links</translation>
    </message>
    <message>
        <source>Bonus Delivery Instructions</source>
        <translation>Anleitung zur Bonus-Auslieferung</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>%1 of %2 PDFs made in %3.</source>
        <translation>%1 von %2 PDFs erstellt in %3.</translation>
    </message>
    <message numerus="yes">
        <source>%n of them failed a preflight check; point at a row&apos;s result to see which.</source>
        <translation>
            <numerusform>%n davon hat eine Preflight-Prüfung nicht bestanden; zeigen Sie auf das Ergebnis einer Zeile, um zu sehen, welche.</numerusform>
            <numerusform>%n davon haben eine Preflight-Prüfung nicht bestanden; zeigen Sie auf das Ergebnis einer Zeile, um zu sehen, welche.</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Rows as Campaigns in</source>
        <translation>Zeilen als Kampagnen speichern in</translation>
    </message>
    <message numerus="yes">
        <source>%1 already holds %n of these campaign(s):

%2

Do you want to replace them?</source>
        <translation>
            <numerusform>%1 enthält bereits %n dieser Kampagnen:

%2

Möchten Sie sie ersetzen?</numerusform>
            <numerusform>%1 enthält bereits %n dieser Kampagnen:

%2

Möchten Sie sie ersetzen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Save Rows as Campaigns</source>
        <translation>Zeilen als Kampagnen speichern</translation>
    </message>
    <message>
        <source>Row %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>%1 of %2 rows were saved as campaigns in %3.</source>
        <translation>%1 von %2 Zeilen wurden als Kampagnen in %3 gespeichert.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Also check the li&amp;ve short links</source>
        <translation>Auch die li&amp;ve geschalteten Kurzlinks prüfen</translation>
    </message>
</context>
<context>
    <name>StepButton</name>
    <message>
        <source>Step %1 icon</source>
        <translation>Symbol für Schritt %1</translation>
    </message>
    <message>
        <source>Current step</source>
        <translation>Aktueller Schritt</translation>
    </message>
</context>
<context>
    <name>modUTF8</name>
    <message>
        <source>Could not write the file &quot;%1&quot;: %2.</source>
        <translation>Die Datei „%1“ konnte nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>vFile</name>
    <message>
        <source>Could not read the file &quot;%1&quot;: %2.</source>
        <translation>Die Datei „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
</context>
</TS>
