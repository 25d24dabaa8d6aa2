-- Hands for every player: each gets a playing style (how loose, how
-- aggressive, how lucky) and between 30 and 2,000 hands drawn from it, so the
-- demo shows tight and loose, winning and losing players. Fixed seed: the same
-- figures on every machine.
DO $$ BEGIN PERFORM setseed(0.1957); END $$;
CREATE TEMP TABLE style AS
SELECT id_player,
       30 + floor(power(random(), 2) * 1970)::int AS hands,
       0.10 + random() * 0.50 AS loose,
       0.15 + random() * 0.55 AS aggressive,
       (random() - 0.5) * 1.6 AS luck
FROM player;
INSERT INTO holdem_hand_player_statistics
SELECT row_number() OVER (), s.id_player,
       round(((random() - 0.5 + s.luck * 0.1) * 8)::numeric, 2),
       random() < s.loose,
       (random() < s.loose * s.aggressive)::int,
       random() < s.loose * s.aggressive * 0.6,
       (random() < s.loose * s.aggressive * 0.2)::int,
       random() < s.loose * s.aggressive * 0.4,
       (random() < s.loose * s.aggressive * 0.1)::int,
       random() < s.loose * s.aggressive * 0.3,
       (random() < s.loose * s.aggressive * 0.08)::int,
       (random() < s.loose * (1 - s.aggressive) * 0.6)::int,
       (random() < s.loose * (1 - s.aggressive) * 0.4)::int,
       (random() < s.loose * (1 - s.aggressive) * 0.3)::int,
       random() < s.loose * 0.4,
       random() < 0.5 + s.luck * 0.2,
       random() < s.loose * 0.9
FROM style s, generate_series(1, s.hands) AS g;
CREATE INDEX hhps_id_player ON holdem_hand_player_statistics (id_player);
ANALYZE;
